// The in-memory timetable of the whole school: 6 grades × 20 classes × 5 days × 8 slots.
// Slot 0 of each day holds the class name (the same on all five days); slots 1..7 are
// periods 1..7. A cell holds a teacher name (teacher view) or a course name (course
// view), UTF-8. A text narrower than 4 GBK bytes is an empty cell; a text beginning with
// a space is a blank cell (a unified slot) that never counts as a clash.
#pragma once

#include <array>
#include <string>

namespace school {

inline constexpr int kSlots = 8; // slot 0 = class name, 1..7 = periods

class SchoolTimetable {
public:
    using Day = std::array<std::string, kSlots>;
    using Week = std::array<Day, 5>;
    using Grade = std::array<Week, 20>;

    // grade 0..5, classIndex 0..19, day 0..4, slot 0..7
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

    friend bool operator==(const SchoolTimetable&, const SchoolTimetable&) = default;

private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    std::array<Grade, 6> m_cells{};
};

} // namespace school
