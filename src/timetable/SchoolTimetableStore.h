// The school timetable in table gradelesson: loading it into a SchoolTimetable and saving
// it back, as the grade timetable dialog and the command line do.
//
// Loading: for every row, grade, class and period come from number = g·10000 + c·100 + p
// (rows outside 1..6, 1..20, 1..7 are ignored); the row's class name goes into slot 0 of
// all five days unless slot 0 of Monday already holds at least 3 bytes; monday … friday go
// into that period of days 0..4. saturday and sunday are not read.
//
// Saving: every row of gradelesson is replaced, in one transaction, by seven rows
// (periods 1..7) for every class whose Monday slot 0 holds at least 3 bytes; cells are
// written as held (teacher or course names), saturday and sunday empty. A failure leaves
// the table as it was and throws store::DbError.
//
// Every reader of the timetable other than the grade timetable dialog takes it in teacher
// names (TimetableRules.h, inTeacherNames): a grade stored in course names by an older save
// is read through the class course lists, and a unified slot holding its course counts as
// the blank it is in teacher view. loadTeacherTimetable() gives the school so, and
// readTeacherRows() the rows themselves, in table order, with monday … friday so read
// (saturday and sunday as stored), for the readers that go row by row.
//
// saveGrades() replaces the rows of the given grades only (rows whose number belongs to one
// of them), in one transaction, and leaves every other row as it stands in the table: two
// programs saving different grades never undo each other.
#pragma once

#include "core/SchoolTimetable.h"

#include <set>
#include <string>
#include <vector>

namespace timetable {
class AutoOrderData;
}

namespace store {
struct GradelessonRow;
}

namespace timetable {

school::SchoolTimetable timetableFromRows(const std::vector<store::GradelessonRow>& rows);
std::vector<store::GradelessonRow> rowsFromTimetable(const school::SchoolTimetable& timetable);
// The rows of the given grades (indices 0..5) only.
std::vector<store::GradelessonRow> rowsFromTimetable(const school::SchoolTimetable& timetable,
                                                     const std::set<int>& grades);

// The rows with monday … friday read in teacher names; other rows as they are.
std::vector<store::GradelessonRow> inTeacherNames(const AutoOrderData& data,
                                                  std::vector<store::GradelessonRow> rows);

school::SchoolTimetable loadSchoolTimetable();
// Read the tables of the class course lists (AutoOrderStore.h) and gradelesson.
school::SchoolTimetable loadTeacherTimetable();
std::vector<store::GradelessonRow> readTeacherRows();
// The same, naming in ignored each row passed over: one whose values cannot be read, or whose
// number lies outside 1..6, 1..20, 1..7 ("gradelesson 第 3 行：number = 70101").
school::SchoolTimetable loadSchoolTimetable(std::vector<std::string>& ignored);
void saveSchoolTimetable(const school::SchoolTimetable& timetable);
void saveGrades(const school::SchoolTimetable& timetable, const std::set<int>& grades);

} // namespace timetable
