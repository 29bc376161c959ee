// Weekwork: the overview "教师周课时一览表" of the teachers' weekly lesson counts. It only
// reads: one entry per row of table [teachername] in stored order (at most 200), each with
// the subject of the teacher's first row in table [classcourse] and the sum of the weekly
// counts of all the teacher's rows over every class and grade.
//
// A row counts for a teacher when its [教师] equals the name exactly, so empty teachers and
// removed ones (eight spaces) never count. A weekly count outside 0..30 counts as 0, as the
// course plan dialogs show it. A roster name that is blank (shorter than 4 GBK bytes, or
// nothing but spaces) keeps its entry with no subject and 0. Without any teacher name the
// overview is unusable and unusableMessage() says why.
// The list can be exported and printed (表格导出, 打印) as the lesson-count report: one row
// per entry with a countable name, in roster order.
// Text is UTF-8; count() reads the database and may throw store::DbError, in which case the
// entries of the previous count stay as they were.
#pragma once

#include "reports/ReportTable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace maintain {

class Weekwork {
public:
    static constexpr std::size_t kMaxTeachers = 200;
    static constexpr int kMaxWeekly = 30;

    static constexpr const char* kTitle = "教师周课时一览表";
    static constexpr const char* kNoTeachers = "请输入所有任课教师姓名!";

    struct Entry {
        std::string teacher{};
        std::string subject{}; // empty while the teacher has no [classcourse] row
        int weekly = 0;

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // Reads the roster and the course plans and counts again. False when the roster holds
    // no teacher name (the overview cannot be used).
    bool count();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // One entry per roster row, in roster order.
    const std::vector<Entry>& entries() const { return m_entries; }

    // The entries as the lesson-count report writes them, and its print title.
    reports::ReportTable reportTable() const;
    static std::string printTitle();

private:
    std::string m_unusableMessage;
    std::vector<Entry> m_entries;
};

} // namespace maintain
