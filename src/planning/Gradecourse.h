// Gradecourse: the courses of one grade and their weekly lesson counts (table [gradecourse]),
// the logic behind the dialog "年段课程设置". One class serves two plans that live side by side
// in the table: the grade plan (mode 0, rows with 天数 = 0) and the review plan (mode 1, rows
// with 天数 >= 1, all carrying the review period in days).
//
// open() reads the course list and the plan of "初一"; without course names the dialog is
// unusable and unusableMessage() says why. The course list starts with the first stored name
// and goes on while names are at least 3 GBK bytes wide, at most 20 names. chooseGrade()
// reads another grade's plan and drops unsaved edits; when the read fails no grade is chosen,
// so a save can never replace the grade's rows by a plan it did not read.
//
// The working plan has 20 entries; the dialog shows entries 1 to 18, entries 19 and 20 are
// kept as read and saved again. A stored weekly count outside 0..30 shows as 0. More than 20
// stored rows of a grade's plan are told on reading: only the first 20 are shown and kept.
//
// save() takes the 18 slots and the days box as typed. A slot whose course (surrounding
// spaces removed) is narrower than 2 bytes is empty: it is not stored, and its count is not
// looked at. A slot with a course needs a whole number 0..30; the review plan needs 1..10
// days. The first refused box is told, refusedField() names it and nothing is written.
// Otherwise the grade's rows of the mode's plan are replaced (rows of other grades and of the
// other plan stay) in one transaction: a failure leaves the table as it was and throws
// store::DbError. Text is UTF-8; open(), chooseGrade() and save() touch the database.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace planning {

class Gradecourse {
public:
    enum class Mode { Grade = 0, Review = 1 };

    static constexpr int kEntries = 20;
    static constexpr int kSlots = 18;
    static constexpr int kSlotColumns = 3;
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr int kMaxWeekly = 30;
    static constexpr int kMaxDays = 10; // the review timetable holds ten days
    // refusedField() for the days box; 0 .. kSlots-1 name a slot's count box.
    static constexpr int kDaysField = kSlots;

    static constexpr const char* kTitle = "年段课程设置";
    static constexpr const char* kNoCourses = "请设置学科课程名称!";
    static constexpr const char* kNoDays = "请输入复习时间（天数）!";
    static constexpr const char* kTooManyDays = "复习时间最多10天，请输入 1 到 10 之间的天数!";
    static constexpr const char* kNotANumber = "请输入一个整数。";
    static constexpr const char* kWeeklyRange = "请输入一个 0 到 30 之间的整数。";
    static constexpr const char* kNoGrade = "请先选择年段!";
    static constexpr const char* kDiscardQuestion = "年段课程已修改，放弃未存盘的修改吗？";

    struct Entry {
        std::string course;
        int weekly = 0;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // One grid slot as the user left it: the course box's text and the count box's text.
    struct Slot {
        std::string course;
        std::string weekly;
    };
    using Slots = std::array<Slot, kSlots>;

    Gradecourse(ui::Messenger& messenger, Mode mode) : m_messenger(messenger), m_mode(mode) {}

    Mode mode() const { return m_mode; }
    bool review() const { return m_mode == Mode::Review; }

    // Reads the course list and the plan of the first grade. False when unusable.
    bool open();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The entries of every course box, in table order.
    const std::vector<std::string>& courses() const { return m_courses; }

    // Reads the plan of grade index 0..5; any other index chooses no grade.
    void chooseGrade(int gradeIndex);
    bool hasGrade() const { return m_gradeIndex >= 0; }
    int gradeIndex() const { return m_gradeIndex; }
    std::string grade() const;

    // Working-plan entry 0..19 and the review period (0 in the grade plan).
    const Entry& entry(int index) const { return m_entries.at(static_cast<std::size_t>(index)); }
    int days() const { return m_days; }
    // The grid slots and the days box as the dialog shows them.
    Slots gridSlots() const;
    std::string daysText() const { return std::to_string(m_days); }

    // Checks the boxes and replaces the grade's rows of this plan. False when a box was
    // refused or no grade is chosen (the user has been told); throws store::DbError.
    bool save(const Slots& entered, const std::string& daysText);
    // Whether the boxes hold a plan other than the one read or last saved, judged as the save
    // reads them: courses without their surrounding spaces, counts as numbers, an empty slot's
    // count not at all, the days box in the review plan only. Choosing another grade asks
    // kDiscardQuestion first when this holds.
    bool edited(const Slots& entered, const std::string& daysText) const;

    // The box the last save() refused (a slot index or kDaysField), or -1.
    int refusedField() const { return m_refusedField; }

private:
    bool refuse(int field, const char* message);

    ui::Messenger& m_messenger;
    Mode m_mode;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    int m_gradeIndex = -1;
    std::array<Entry, kEntries> m_entries{};
    int m_days = 0;
    int m_refusedField = -1;
};

} // namespace planning
