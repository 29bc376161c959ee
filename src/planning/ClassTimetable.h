// ClassTimetable: one weekly timetable shown read-only, five school days by seven periods.
// The logic behind the window "班级课程表--<name>", which the grade timetable opens for a
// class or for a timetable it assembles itself.
//
// The caller hands over a week block (5 days × 8 slots of UTF-8 text, the layout of
// school::SchoolTimetable): slot 0 of day 1 holds the name shown in the title, slot 0 of the
// other days is not used, slots 1..7 of a day hold the texts of periods 1..7. The window keeps
// its own copy, so later changes to the caller's timetable do not reach it. Saturday and
// Sunday have no place in the block and are never shown. Reads no table, writes nothing.
#pragma once

#include "core/SchoolNames.h"
#include "core/SchoolTimetable.h"

#include <string>

namespace planning {

class ClassTimetable {
public:
    using Day = school::SchoolTimetable::Day;
    using Week = school::SchoolTimetable::Week;

    static constexpr int kDays = school::kDays;
    static constexpr int kPeriods = school::kPeriods;
    static constexpr const char* kTitlePrefix = "班级课程表--";

    ClassTimetable() = default;
    explicit ClassTimetable(const Week& week) : m_week(week) {}

    // Takes a copy of the caller's block.
    void setWeek(const Week& week) { m_week = week; }
    const Week& week() const { return m_week; }

    // "班级课程表--" followed by slot 0 of day 1.
    std::string title() const;
    // The text of period 1..7 on day 1..5; empty for any other place.
    std::string cell(int period, int day) const;

private:
    Week m_week{};
};

} // namespace planning
