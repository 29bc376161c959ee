// ClassTimetable: one weekly timetable shown read-only, five school days by seven periods.
// The logic behind the window "班级课程表--<name>", which the grade timetable opens for a
// class or for a timetable it assembles itself.
//
// The caller hands over a week block (5 days × 8 slots of UTF-8 text, the layout of
// school::SchoolTimetable): slot 0 of day 1 holds the name shown in the title, slot 0 of the
// other days is not used, slots 1..7 of a day hold the texts of periods 1..7. The window keeps
// its own copy, so later changes to the caller's timetable do not reach it. Saturday and
// Sunday have no place in the block and are never shown. Reads no table, writes nothing.
//
// A teacher's week (slot 0 of day 1 the teacher, each lesson its class and course) is the
// same window titled "教师课程表--" + the teacher.
//
// The review timetable's class window "复习课程表" is the same window over a block of ten
// review days, headed "第一天" … "第十天" and titled "班级复习课程表--" + the class.
#pragma once

#include "core/SchoolNames.h"
#include "core/SchoolTimetable.h"

#include <string>
#include <vector>

namespace planning {

class ClassTimetable {
public:
    using Day = school::SchoolTimetable::Day;
    using Week = school::SchoolTimetable::Week;

    using ReviewWeek = school::ReviewTimetable::Week;

    static constexpr int kDays = school::kDays;
    static constexpr int kPeriods = school::kPeriods;
    static constexpr const char* kTitlePrefix = "班级课程表--";
    static constexpr const char* kTeacherTitlePrefix = "教师课程表--";
    static constexpr const char* kReviewTitlePrefix = "班级复习课程表--";
    static constexpr const char* kReviewWindowName = "复习课程表";

    ClassTimetable();
    explicit ClassTimetable(const Week& week);
    explicit ClassTimetable(const ReviewWeek& week);

    // Takes a copy of the caller's block.
    void setWeek(const Week& week);
    void setWeek(const ReviewWeek& week);
    // A teacher's week: titled after the teacher.
    void setTeacherWeek(const Week& week);

    bool review() const { return m_review; }
    bool teacherWeek() const { return m_teacher; }
    int dayCount() const { return static_cast<int>(m_days.size()); }
    // The headings of the day columns: "星期一" …, or "第一天" … "第十天".
    std::vector<std::string> dayNames() const;

    // The title prefix (class, teacher or review) followed by slot 0 of day 1.
    std::string title() const;
    // The text of period 1..7 on day 1..dayCount(); empty for any other place.
    std::string cell(int period, int day) const;

private:
    std::vector<school::SchoolTimetable::Day> m_days;
    bool m_review = false;
    bool m_teacher = false;
};

} // namespace planning
