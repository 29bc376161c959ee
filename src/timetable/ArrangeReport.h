// What remains to be mended in a grade's timetable after an arrangement, in terms of the
// arrangement rules: teacher clashes with any class of the school, teacher day overloads,
// periods 1–2 without a main course, lessons in a teacher's preset periods, lessons in a
// unified slot, subject resources over their limit, and for every class of the grade with a
// course plan whether it got a week. Read-only; grades held in course names are judged in
// teacher names. The rules are those of TimetableRules.h; pure C++.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"
#include "timetable/TimetableRules.h"

#include <string>
#include <vector>

namespace timetable {

struct ClassOutcome {
    std::string className;
    long long weeklyTotal = 0; // lessons with a teacher plus the grade's unified slots
    bool arranged = false;     // the class stands in the grade's timetable
};

struct TeacherClash {
    int day = 0;    // 0..4
    int period = 0; // 1..7
    std::string teacher;
    std::vector<std::string> classes; // every class of the school holding the teacher then
};

struct DayOverload {
    std::string teacher;
    int day = 0;
    int lessons = 0; // in the whole school that day
    int limit = 0;   // 5 for a weekly load of 20 or more, else 4
};

struct CellIssue {
    std::string className;
    int day = 0;
    int period = 0;
    std::string text;
};

struct GradeReview {
    std::vector<ClassOutcome> classes;
    std::vector<TeacherClash> clashes;
    std::vector<DayOverload> overloads;
    std::vector<CellIssue> mainCourseFirst; // periods 1–2 empty or not a main course
    std::vector<CellIssue> presets;         // a lesson in a period the teacher's preset blocks
    std::vector<CellIssue> unifiedFilled;   // a lesson in a unified slot
    // Resource periods over their limit in which a class of the grade holds the resource.
    std::vector<ResourceOverrun> resourceOverruns;
};

GradeReview reviewGrade(const AutoOrderData& data, int grade,
                        const school::SchoolTimetable& timetable);
// The same over the school already read in teacher names and in course names (inTeacherNames,
// inCourseNames), for a caller that holds both.
GradeReview reviewGrade(const AutoOrderData& data, int grade,
                        const school::SchoolTimetable& teachers,
                        const school::SchoolTimetable& courses);

// One line of counts to compare run with run.
std::string qualityLine(const GradeReview& review);
// What remains to be mended by hand, in the same words: clashes, day overloads, presets and
// resource overruns.
std::string remainingLine(const GradeReview& review);

} // namespace timetable
