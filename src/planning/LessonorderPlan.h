// LessonorderPlan: the ranges of lessons the arrangement is not to fill (table [orderplan],
// one row per range: class, course, first and last day, first and last period). The logic
// behind the dialog "课程编排计划—不编排课程范围".
//
// load() reads the course names (the first 20 rows of [coursename]; the subject boxes offer
// those at least 3 GBK bytes wide) and the plan: the first 100 rows of [orderplan] in stored
// order. Without a course name the dialog is unusable and unusableMessage() says why.
// Days are 1..7 (Monday..Sunday) and periods 1..7; 0 means not set, and a stored value
// outside 1..7 shows as an empty cell.
//
// The dialog edits entries 1 to 10 (the page); entries 11 to 100 and any rows after the
// 100th are kept as stored. save() takes the page's cells: a day or period whose text is not
// one of the seven names keeps the entry's number (so an out-of-range stored value survives),
// a row whose class is blank is dropped (this is how a range is removed), a row with a class
// needs a subject and a first day/period no later than the last one when both are set. The
// first refused row is told, refusedRow() names it and nothing is written. Otherwise every
// row of the table is replaced, in order, by the plan in one transaction: a failure leaves
// the table as it was and throws store::DbError. Column [order] means nothing to the
// program: it is never read and every row is written with 0 there. Text is UTF-8; load() and save()
// touch the database.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace planning {

class LessonorderPlan {
public:
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr std::size_t kMaxEntries = 100;
    static constexpr std::size_t kPageRows = 10;
    static constexpr int kDays = 7;
    static constexpr int kPeriods = 7;

    static constexpr const char* kTitle = "课程编排计划—不编排课程范围";
    static constexpr const char* kNoCourses = "请设置学科课程名称!";

    static constexpr std::array<std::string_view, kDays> kDayNames = {
        "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    static constexpr std::array<std::string_view, kPeriods> kPeriodNames = {
        "第一节", "第二节", "第三节", "第四节", "第五节", "第六节", "第七节"};

    struct Entry {
        std::string className;
        std::string course;
        int week1 = 0;
        int week2 = 0;
        int number1 = 0;
        int number2 = 0;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // One row of the page as shown: the six cells' texts.
    struct Cells {
        std::string className;
        std::string course;
        std::string firstDay;
        std::string lastDay;
        std::string firstPeriod;
        std::string lastPeriod;
        friend bool operator==(const Cells&, const Cells&) = default;
    };
    using Page = std::array<Cells, kPageRows>;

    explicit LessonorderPlan(ui::Messenger& messenger) : m_messenger(messenger) {}

    // "星期一" for 1 … "星期日" for 7; empty for anything else. Likewise the periods.
    static std::string dayName(int day);
    static std::string periodName(int period);
    // The 120 class names, grade by grade, "⑴" to "⒇" within a grade.
    static std::vector<std::string> classNames();

    // Reads the course names and the plan. False when the dialog cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The subject boxes' entries, in table order.
    const std::vector<std::string>& courses() const { return m_courses; }
    // The plan as read (or last saved): at most 100 entries.
    const std::vector<Entry>& entries() const { return m_entries; }

    // The page as it is to be shown; rows past the plan's end are empty.
    Page page() const;

    // Stores the page's cells as entries 1 to 10 and replaces the table's rows. False (told
    // to the user) when a row is refused; then nothing changes.
    bool save(const Page& cells);
    // The 1-based row the last refusal was about, or 0.
    int refusedRow() const { return m_refusedRow; }

private:
    bool refuse(int row, const std::string& message);

    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    std::vector<Entry> m_entries;
    // Rows after the 100th: never shown, saved back as read.
    std::vector<Entry> m_beyond;
    int m_refusedRow = 0;
};

} // namespace planning
