// The filled table a report dialog hands to the writer, in UTF-8. Which member a kind uses:
// - counts: Weekly (6 values an entry), Monthly and Term (9 values); entry k is written at
//   entry position k. Monthly and Term skip entries whose name is blank (< 4 GBK bytes)
//   but keep their positions.
// - grid: TeacherList (up to 20 × 20 cells) and DutyRoster (up to 15 cells a row, row 0
//   the headings; cell 0 the class, cells 1 … 14 the times as the duty browse holds them);
//   LessonCounts (one row per teacher: name, subject, weekly count in decimal digits; the
//   frame holds the headings).
// - classes: GradeTimetable (35 cells a class, cell 7 × day + period − 1 for day 0 … 4
//   and period 1 … 7) and ReviewTimetable (7 × reviewDays cells, day-major likewise; the
//   first page shows cells 1 … 35 whatever D is, and cells past 7D as they are held).
#pragma once

#include <string>
#include <vector>

namespace reports {

struct CountEntry {
    std::string name;
    std::vector<long long> values;
};

struct ClassTimetable {
    std::string className;
    std::vector<std::string> cells;
};

struct ReportTable {
    std::vector<CountEntry> counts;
    std::vector<std::vector<std::string>> grid;
    std::vector<ClassTimetable> classes;
    int reviewDays = 5; // D of the review timetable, 0 … 10
};

} // namespace reports
