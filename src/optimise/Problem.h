// The optimiser's integer model of a request: the arranged classes with their weeks of 35
// cells (day·7 + period−1), their lessons grouped by teacher, the teachers and resources with
// what the cells it may not change (other grades, locks) already give them, and the forbidden
// cells of every group. Built once from the loaded lists and the request; read-only after.
//
// A group is a class's lessons of one teacher: the timetable holds teacher names, so two
// entries of one teacher in a class are one group (the weekly count is their sum, the course
// is that of the first entry, as inCourseNames reads such a cell). The group of the class's
// first 语文 entry (weekly count 2 or more) holds the double period.
#pragma once

#include "optimise/Optimiser.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace optimise {

inline constexpr int kCells = school::kDays * school::kPeriods;
using CellMask = std::uint64_t;
// Any week the search handles fits these bounds (a review week has more days, fewer cells a
// day); the term week is kCells cells over school::kDays days.
inline constexpr int kMaxCells = 64;
inline constexpr int kMaxDays = 10;

// The shape of a class's week: days of equally many cells, cell = day * cellsPerDay + slot.
struct WeekShape {
    int days = school::kDays;
    int cellsPerDay = school::kPeriods;
    int cells() const { return days * cellsPerDay; }
    int dayOf(int cell) const { return cell / cellsPerDay; }
    CellMask dayCells(int day) const {
        return ((CellMask{1} << cellsPerDay) - 1) << (day * cellsPerDay);
    }
};

inline constexpr int dayOf(int cell) {
    return cell / school::kPeriods;
}
inline constexpr int periodOf(int cell) {
    return cell % school::kPeriods + 1;
}
inline constexpr int cellAt(int day, int period) {
    return day * school::kPeriods + period - 1;
}
inline constexpr CellMask bit(int cell) {
    return CellMask{1} << cell;
}

// What a cell of an arranged class holds: a group index (>= 0) or one of these.
enum Content : std::int16_t {
    kFree = -1,    // a free period
    kUnified = -2, // a unified slot (never holds a lesson)
    kForeign = -3, // a locked text that is no lesson of the class
};

struct Group {
    int cls = 0;
    int teacher = 0;
    int count = 0;   // lessons a week
    int movable = 0; // lessons not in locked cells
    int resource = -1;
    bool main = false;
    bool chinese = false; // holds the double period
    int low = 0;          // lessons a day, the double counting as one: low..high
    int high = 0;
    CellMask forbidden = 0; // preset and plan cells
    CellMask planned = 0;   // the plan's cells alone
    int missing = 0;        // lessons locks leave no room for
    std::vector<std::string> courses;
};

struct ClassModel {
    int grade = 0;
    int classIndex = 0; // 0..19
    int position = 0;   // where the class stands in the result
    std::string name;
    std::array<std::int16_t, kMaxCells> fixed{}; // the content of the cells that are not movable
    std::array<std::string, kMaxCells> lockedText{};
    CellMask movable = 0;
    CellMask locked = 0;
    CellMask unified = 0;
    CellMask early = 0; // periods 1 and 2 outside unified slots
    std::vector<int> groups;
    int chinese = -1;          // the group holding the double period
    CellMask doubleStarts = 0; // cells where the double may start
    int freePeriods = 0;       // movable cells left free
};

struct Teacher {
    std::string name;
    int limit = 4;
    long long weekly = 0;
    CellMask preset = 0;
    std::array<std::uint8_t, kMaxCells> fixedOccupancy{};
    std::array<std::uint8_t, kMaxDays> fixedLoad{};
    std::vector<int> groups;
};

struct Resource {
    std::string course;
    int limit = 0;
    std::array<std::uint8_t, kMaxCells> fixedUse{};
};

struct DroppedClass {
    std::string name;
    long long weeklyTotal = 0;
};

class Problem {
public:
    // The term week of a request: the arranged grades' classes around the other grades.
    Problem(const timetable::AutoOrderData& data, const Request& request);
    // A week of another shape laid out by its caller (the review days): the classes, their
    // groups and the teachers as given, with no resources, locks, plan or other grades.
    // Teachers' groups are filled in from the groups.
    Problem(WeekShape shape, std::vector<ClassModel> classes, std::vector<Group> groups,
            std::vector<Teacher> teachers);

    const WeekShape& shape() const { return m_shape; }
    const std::vector<ClassModel>& classes() const { return m_classes; }
    const std::vector<Group>& groups() const { return m_groups; }
    const std::vector<Teacher>& teachers() const { return m_teachers; }
    const std::vector<Resource>& resources() const { return m_resources; }
    const std::vector<int>& grades() const { return m_grades; }
    // Planned classes of the arranged grades that get no week (weekly total outside 15..35).
    const std::vector<DroppedClass>& dropped() const { return m_dropped; }
    // Locks that name a class which gets no week, or a position without a class.
    const std::vector<CellRef>& strayLocks() const { return m_strayLocks; }

    const school::SchoolTimetable& input() const { return m_input; }
    bool arranges(int grade) const;

    // The group's course text for messages: its courses joined by "/".
    std::string courseText(const Group& group) const;

    // The request's timetable with the arranged grades emptied and the arranged classes'
    // names in place, ready for the weeks to be written in.
    school::SchoolTimetable frame() const;

private:
    int internTeacher(const std::string& name);
    void addClass(const timetable::AutoOrderData& data, int grade, int classIndex, int position,
                  const std::vector<std::pair<int, int>>& unified);
    void addFixedCells(const timetable::AutoOrderData& data, const Request& request);
    void addLocks(const Request& request);
    void applyPlan(const Request& request);

    WeekShape m_shape;
    school::SchoolTimetable m_input;
    std::vector<int> m_grades;
    std::vector<ClassModel> m_classes;
    std::vector<Group> m_groups;
    std::vector<Teacher> m_teachers;
    std::vector<Resource> m_resources;
    std::vector<DroppedClass> m_dropped;
    std::vector<CellRef> m_strayLocks;
    std::unordered_map<std::string, int> m_teacherIndex;
};

} // namespace optimise
