// The overview as rich text (the subset of HTML Qt's text labels draw): the database in use,
// a table of the grades (班级, 有课程计划, 教师已选齐, 已编排, 课表剩余问题), the course names,
// teachers, attendance weeks and duty times, and the "下一步" line whose menu entries are
// links "entry:<menu entry>". Texts from the tables are escaped.
#pragma once

#include "overview/NextStep.h"
#include "overview/SchoolStanding.h"

#include <string>
#include <string_view>

namespace overview {

inline constexpr std::string_view kEntryLink = "entry:";

std::string overviewHtml(const Standing& standing, const NextStep& next);
// What the overview shows when the database cannot be read.
std::string unreadableHtml(const std::string& database, const std::string& error);

} // namespace overview
