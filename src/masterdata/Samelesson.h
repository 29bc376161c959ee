// Samelesson: unified courses, a course every class of a grade has in the same slot of
// the week (table [samelesson]: grade, day 1 … 5, period 1 … 7, course). The logic behind
// the dialog "年段统一课程设置": a grade selector and four rows of day, period and course.
//
// load() reads the course names (at most 20; unusable when there are none). Choosing a
// grade reads its first four rows, day and period numbers turned into their names (a
// number outside the week shows as empty); rows changed since they were read or saved (also
// rows filled before any grade was chosen) are given up only after the user agrees
// (kDiscardQuestion), 否 keeping the grade and the rows. The dialog copies its rows in with
// setRow() before a grade is chosen and before a save. save() replaces the grade's rows (other
// grades stay) in one transaction by the rows whose course has at least 3 bytes and whose day and
// period texts are exactly one of the day and period names; other rows are dropped.
// Without a chosen grade save() is refused with a message. Text is UTF-8; load(),
// chooseGrade() and save() may throw store::DbError.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace masterdata {

class Samelesson {
public:
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr int kRows = 4;
    // The widths of the typed fields, in GBK bytes: day and period names have 6, a course
    // name up to 8.
    static constexpr std::size_t kSlotNameBytes = 6;
    static constexpr std::size_t kCourseBytes = 8;

    static constexpr const char* kTitle = "年段统一课程设置";
    static constexpr const char* kNoCourses = "请设置学科课程名称!";
    static constexpr const char* kNoGrade = "请先选择年段!";
    static constexpr const char* kDiscardQuestion = "统一课程已修改，放弃未存盘的修改吗？";

    struct Row {
        std::string day;
        std::string period;
        std::string course;
        friend bool operator==(const Row&, const Row&) = default;
    };

    explicit Samelesson(ui::Messenger& messenger) : m_messenger(messenger) {}

    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The entries of the selectors. The course list is in table order and ends with an
    // empty choice when the course table holds fewer than 20 names.
    static std::vector<std::string> dayChoices();
    static std::vector<std::string> periodChoices();
    static std::vector<std::string> gradeChoices();
    const std::vector<std::string>& courseChoices() const { return m_courseChoices; }

    // Makes grade index 0 … 5 the selected grade and reads its rows; any other index
    // chooses no grade. False when the user kept the unsaved rows: nothing changed.
    bool chooseGrade(int gradeIndex);
    // The selected grade's index, or -1.
    int gradeIndex() const;
    bool modified() const { return m_rows != m_savedRows; }
    bool hasGrade() const { return !m_grade.empty(); }
    const std::string& grade() const { return m_grade; }

    // Row k (0 … 3).
    const Row& row(int k) const { return m_rows.at(static_cast<std::size_t>(k)); }
    void setRow(int k, const Row& row) { m_rows.at(static_cast<std::size_t>(k)) = row; }

    // Replaces the selected grade's rows. False (told to the user) without a grade.
    bool save();

private:
    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courseChoices;
    std::string m_grade;
    std::array<Row, kRows> m_rows{};
    std::array<Row, kRows> m_savedRows{}; // as read or last saved
};

} // namespace masterdata
