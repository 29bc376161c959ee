// The published pages of a school timetable, built once for every output (Page.h):
//
// - classPages: one page per arranged class of the chosen grades, in grade and position
//   order; title "〈学校名称〉 初一⑴班课程表" (the name and its space left out when not set);
//   rows 第一节 … 第七节 with their times ("08:00-08:45") under the groups 上午 / 下午 the
//   settings give; columns 星期一 … 星期五; a cell holds the course over the teacher, a
//   unified slot its course alone, a free period nothing.
// - teacherPages: one page per teacher who teaches in the chosen grades, in roster order
//   (teachers missing from the roster after them, in the order they first appear); the
//   teacher's whole week across all grades, each cell the class over the course (two
//   classes at once show both); notes "本周 14 节" and "任课班级：初一⑴ 初二⑶".
// - overviewPages: one landscape page per grade (总课表): its classes as rows, the 35
//   periods as columns under the days, each cell the course's first two characters over the
//   teacher's surname (the name's first character).
// - assignmentPages: one page per grade (任课表): classes × the grade's courses in the order
//   of its classes' plans, each cell the teacher (several joined by "、").
//
// A grade is arranged when one of its classes has its name in slot 0. Asking for one grade
// that is not throws PublishError "初一还没有课程表，请先编排"; asking for all grades passes
// such grades over and throws "还没有课程表，请先编排" when none is arranged.
#pragma once

#include "publish/Page.h"
#include "publish/SchoolSource.h"

#include <optional>
#include <vector>

namespace publish {

// nullopt for all grades, else a grade index 0..5.
using GradeChoice = std::optional<int>;

std::vector<Page> classPages(const SchoolSource& source, GradeChoice grade);
std::vector<Page> teacherPages(const SchoolSource& source, GradeChoice grade);
std::vector<Page> overviewPages(const SchoolSource& source, GradeChoice grade);
std::vector<Page> assignmentPages(const SchoolSource& source, GradeChoice grade);

// The one page of a class (grade 0..5, position 0..19), or nullopt when the position holds
// no class; the page of one teacher, or nullopt when the teacher has no lesson. For the week
// windows' print and export.
std::optional<Page> classPage(const SchoolSource& source, int grade, int position);
std::optional<Page> teacherPage(const SchoolSource& source, const std::string& teacher);

} // namespace publish
