// The in-memory timetable of the whole school: 6 grades × 20 classes × a number of days × 8
// slots. Slot 0 of each day holds the class name (the same on all days); slots 1..7 are
// periods 1..7. A cell holds a teacher name (teacher view) or a course name (course view),
// UTF-8. A text narrower than 4 GBK bytes is an empty cell; a text beginning with a space is
// a blank cell (a unified slot) that never counts as a clash.
//
// The weekly timetable has the five school days Monday to Friday (SchoolTimetable); the
// review timetable before examinations has up to ten review days (ReviewTimetable).
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace school {

inline constexpr int kSlots = 8; // slot 0 = class name, 1..7 = periods

template <int DayCount> class BasicTimetable {
public:
    static constexpr int kDayCount = DayCount;
    using Day = std::array<std::string, kSlots>;
    using Week = std::array<Day, static_cast<std::size_t>(DayCount)>;
    using Grade = std::array<Week, 20>;

    // grade 0..5, classIndex 0..19, day 0..DayCount−1, slot 0..7
    std::string& cell(int grade, int classIndex, int day, int slot) {
        return m_cells[idx(grade)][idx(classIndex)][idx(day)][idx(slot)];
    }
    const std::string& cell(int grade, int classIndex, int day, int slot) const {
        return m_cells[idx(grade)][idx(classIndex)][idx(day)][idx(slot)];
    }

    Week& week(int grade, int classIndex) { return m_cells[idx(grade)][idx(classIndex)]; }
    const Week& week(int grade, int classIndex) const {
        return m_cells[idx(grade)][idx(classIndex)];
    }

    friend bool operator==(const BasicTimetable&, const BasicTimetable&) = default;

private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    std::array<Grade, 6> m_cells; // every text starts empty
};

using SchoolTimetable = BasicTimetable<5>;
using ReviewTimetable = BasicTimetable<10>;

} // namespace school
