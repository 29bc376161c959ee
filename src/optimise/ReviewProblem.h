// The review week as the optimiser's search sees it. A review day is four cells: the double
// periods at 1-2, 3-4 and 5-6 and period 7 alone, so every lesson is one cell and two classes
// clash exactly when they hold one teacher in one cell. A class's lessons of one teacher are
// two groups, its double periods (kept out of the period-7 cells) and its period-7 lessons
// (kept out of the others); each spreads over the days.
//
// Built once from ReviewData; the causes are counted before any search: a grade without a
// review plan, planned classes with fewer than 15 review periods (they get no week), classes
// with more period-7 lessons than the days (after the doubles beyond three a day were split
// into period-7 lessons), teachers with more double periods or period-7 lessons over the
// grade than the days hold. Lessons a class has no cell for are left out of the search and
// named among the violations.
#pragma once

#include "optimise/Problem.h"
#include "optimise/Search.h"
#include "timetable/ReviewOrder.h"

#include <optional>
#include <string>
#include <vector>

namespace optimise {

class ReviewProblem {
public:
    static constexpr int kCellsPerDay = 4;
    static constexpr int kSingleSlot = 3; // the slot of period 7

    explicit ReviewProblem(const timetable::ReviewData& data);

    const Problem& problem() const { return *m_problem; }
    int grade() const { return m_grade; }
    int days() const { return m_days; }
    const std::vector<std::string>& causes() const { return m_causes; }

    // The first period of a slot 0..3 (1, 3, 5, 7) and whether it is a double period.
    static int firstPeriod(int slot) { return slot * 2 + 1; }
    static bool doubleSlot(int slot) { return slot < kSingleSlot; }

    // The grade's review timetable as the search holds it.
    school::ReviewTimetable timetable(const Search& search) const;
    // The rules the search's state still breaks besides clashes (a lesson in a cell of the
    // other kind, a spread broken) and the lessons left out, in Chinese.
    std::vector<std::string> violations(const Search& search) const;

private:
    void addClass(int classNumber, const std::vector<timetable::ReviewEntry>& entries,
                  std::vector<ClassModel>& classes);
    void settleClass(ClassModel& cls, std::vector<int>& teacherSingles);
    int groupOf(ClassModel& cls, int teacher, bool doubles);
    int internTeacher(const std::string& name);
    void countCauses();

    int m_grade = 0;
    int m_days = 0;
    std::vector<int> m_classNumbers; // of each model class, 1..20
    std::vector<Group> m_groups;
    std::vector<bool> m_doubles; // of each group: its lessons are double periods
    std::vector<Teacher> m_teachers;
    std::vector<std::string> m_causes;
    std::optional<Problem> m_problem;
};

} // namespace optimise
