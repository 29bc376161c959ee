// How the import names a row of the tables it fills: rowKey() is what identifies the row when
// a workbook is merged into the tables and when the preview pairs stored and imported rows
// (a course or teacher by name, a pair of course and teacher, a grade, a grade plan row by
// grade, course and plan, a class course by class and course, a preset by teacher, a unified
// slot by grade, day and period, a resource by course); rowText() is the row as the preview
// shows it ("初一⑴ 语文 张明 6"). UTF-8.
#pragma once

#include "exchange/SchoolTables.h"

#include <string>

namespace exchange {

std::string rowKey(const store::CoursenameRow& row);
std::string rowKey(const store::TeachernameRow& row);
std::string rowKey(const store::CourseteacherRow& row);
std::string rowKey(const store::GradeclassRow& row);
std::string rowKey(const store::GradecourseRow& row);
std::string rowKey(const store::ClasscourseRow& row);
std::string rowKey(const store::LessonprearrangeRow& row);
std::string rowKey(const store::SamelessonRow& row);
std::string rowKey(const store::CourseshareRow& row);

std::string rowText(const store::CoursenameRow& row);
std::string rowText(const store::TeachernameRow& row);
std::string rowText(const store::CourseteacherRow& row);
std::string rowText(const store::GradeclassRow& row);
std::string rowText(const store::GradecourseRow& row);
std::string rowText(const store::ClasscourseRow& row);
std::string rowText(const store::LessonprearrangeRow& row);
std::string rowText(const store::SamelessonRow& row);
std::string rowText(const store::CourseshareRow& row);

// The day's name ("星期一") for 1..5, else the number as written.
std::string dayText(int day);

} // namespace exchange
