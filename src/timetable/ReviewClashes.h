// Teacher clashes of one grade's review timetable: one teacher in two classes of the grade in
// the same period of a review day. The review timetable covers a grade alone, so classes of
// other grades never count. A cell shorter than 4 bytes or beginning with a space holds no
// lesson.
#pragma once

#include "core/SchoolTimetable.h"

#include <string>
#include <vector>

namespace timetable {

struct ReviewClash {
    int day = 0;    // 0..days-1
    int period = 0; // 1..7
    std::string teacher;
    std::string first; // the two classes' names (slot 0)
    std::string second;
};

// Every pair of class positions 0..19 holding one teacher in one period of days 0..days-1, by
// day, period and position.
std::vector<ReviewClash> reviewClashes(const school::ReviewTimetable& timetable, int grade,
                                       int days);

// "教师碰课：第一天 第三节 王伟：初三⑴ 初三⑵".
std::string clashText(const ReviewClash& clash);

} // namespace timetable
