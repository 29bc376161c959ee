// The overview's "下一步": the first set-up step the school still misses, in the order a school
// is set up — 课程名称设置, 年段班级编辑, 教师名单编辑, 学科教师编辑, 年段课程设置,
// 班级课程设置 / 课任教师选用, 年段课程编排 — each named by the menu entry that does it, with
// what is missing. Once every grade with classes is arranged, a saved timetable that still
// breaks rules points back to 年段课程编排; a school with nothing left has no step.
#pragma once

#include "overview/SchoolStanding.h"

#include <string>
#include <vector>

namespace overview {

struct NextStep {
    std::vector<std::string> entries; // the menu entries that do it; empty when nothing is left
    std::string reason;               // what is missing ("初一 还没有年段课程设置")
};

NextStep nextStep(const Standing& standing);

} // namespace overview
