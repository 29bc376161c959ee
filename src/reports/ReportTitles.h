// The print titles of the reports, in UTF-8, as the report dialogs compose them.
#pragma once

#include <string>
#include <string_view>

namespace reports {

// "第05周常规教学出勤情况": the week as two digits, then the activity.
std::string weeklyTitle(int week, std::string_view activity);

// "05月份工作量情况".
std::string monthlyTitle(int month);

// "工作量情况".
std::string termTitle();

// "高  一  年  段  任  课  教  师  表" from the grade name (its first two characters).
std::string teacherListTitle(std::string_view grade);

// "班  级  年  段  督  修  表" from cell 0 of the roster's heading row.
std::string dutyRosterTitle(std::string_view headingCell);

// "教师周课时一览表".
std::string lessonCountsTitle();

// 20 spaces, then "初  一  年  段  总  课  程  表" from the name of the grade's third class.
std::string gradeTimetableTitle(std::string_view thirdClassName);

} // namespace reports
