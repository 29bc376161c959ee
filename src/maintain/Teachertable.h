// Teachertable: one teacher's week read from the arranged timetables of all grades (table
// [gradelesson]), the logic behind the query dialog "任课教师周课程表". It only reads.
//
// load() reads the roster (table [teachername], at most 200 names, stopping at the first
// blank name); without a usable name the dialog cannot be used and unusableMessage() says
// why. chooseTeacher() clears the week, reads every row of [gradelesson] in table order, in
// teacher names (a grade stored in course names is read through its class course lists, see
// arrange/SchoolTimetableStore.h), and, for each of Monday to Friday whose cell names the teacher
// exactly, writes the row's class
// ("初一⑴" … "高三⒇") into that day and period; a later row overwrites an earlier one. A slot
// that already held another class is a clash ("碰课"), listed as code 10·day + period, day by
// day from Monday and period by period. Rows whose number does not unpack to grade 1..6,
// class 1..20 and period 1..7 are skipped; saturday and sunday are never read. The same class
// met twice in one slot (a duplicated row) is not a clash: the teacher is still in one room.
// Each lesson's course is the one the class's plan ([classcourse]) gives the teacher, the
// first such row; empty when the plan has none.
// Text is UTF-8; load() and chooseTeacher() touch the database and may throw store::DbError.
#pragma once

#include "core/Messenger.h"
#include "core/SchoolNames.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace maintain {

class Teachertable {
public:
    static constexpr std::size_t kMaxTeachers = 200;

    static constexpr const char* kTitle = "任课教师周课程表";
    static constexpr const char* kNoTeachers = "请输入所有任课教师姓名!";
    static constexpr const char* kNoTimetable = "所有课程均未编排，无个人课程记录!";

    explicit Teachertable(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the roster. False when the dialog cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The teacher selector's entries, in table order.
    const std::vector<std::string>& teachers() const { return m_teachers; }

    // Shows the week of teachers()[index]; an index outside the list shows an empty week.
    // False when no timetable has been arranged at all (told to the user): the dialog has
    // nothing to show for anyone and closes.
    bool chooseTeacher(int index);
    const std::string& teacher() const { return m_teacher; }

    // day 1..5 (Monday..Friday), period 1..7; the class taught then, or "".
    const std::string& cell(int day, int period) const;
    // The course of that lesson, or "".
    const std::string& course(int day, int period) const;
    // What the week window shows there: the class over its course (two lines), or the class.
    std::string shown(int day, int period) const;
    bool clash(int day, int period) const;
    // The clashing slots as 10·day + period, Monday first, then by period.
    std::vector<int> clashCodes() const;

private:
    struct Slot {
        std::string className;
        std::string course;
        bool clash = false;
    };
    static std::size_t slotIndex(int day, int period);
    void clearWeek();
    void findCourses();

    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_teachers;
    std::string m_teacher;
    std::array<Slot, school::kDays * school::kPeriods> m_week{};
};

} // namespace maintain
