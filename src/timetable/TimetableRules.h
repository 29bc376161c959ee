// The rules a timetable is judged by, read-only over a school timetable and the loaded
// lists: who else holds a teacher in a period, whether a teacher's preset blocks a period,
// a teacher's weekly load and day limit, which subject resources run over their limit, and
// the two views of a grade (teacher names, course names). The arrangement report (what
// `tavlen-cli arrange` prints) and the grade timetable's colours and status line both come
// from these functions, so the screen and the command line never disagree. Pure C++.
//
// A grade is held in course view when the Monday period-1 cell of its first class is the
// name of a subject resource (the engine's test). The two readings below do not depend on
// it: each cell is read on its own through its class's course list, so a grade saved in
// course view, one whose first lesson is no resource, and one only partly converted are all
// read alike. The course list of a class position is that of the class named in its slot 0
// when the name belongs to the grade (arranged classes close up, so position and class
// number can differ), else that of the position itself.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timetable {

struct ClassRef {
    int grade = 0;    // 0..5
    int position = 0; // 0..19
    friend bool operator==(const ClassRef&, const ClassRef&) = default;
};

// A lesson text: a teacher (or course) name of at least 4 GBK bytes, not a blank slot.
bool isLessonText(std::string_view text);

const ClassCourseList& courseListAt(const AutoOrderData& data,
                                    const school::SchoolTimetable& timetable, int grade,
                                    int position);
// The same for a class position whose slot 0 holds className.
const ClassCourseList& courseListNamed(const AutoOrderData& data, int grade, int position,
                                       std::string_view className);

// The course list of the class named className if the name belongs to grade, else none.
const ClassCourseList* ownCourseList(const AutoOrderData& data, int grade,
                                     std::string_view className);

// The unified slots of grade 0..5 (the first four samelesson rows of the grade).
std::vector<UnifiedCourse> unifiedSlotsOf(const AutoOrderData& data, int grade);

// The teacher a held cell of day 0..4, period 1..7 stands for, whatever view it was held or
// stored in: a teacher of the class's list as it is; at a unified slot, that slot's course
// as the blank of teacher view (seven spaces); a course of the list as the teacher of its
// first entry that has one; any other text as it is.
std::string teacherText(const ClassCourseList& list, const std::vector<UnifiedCourse>& unified,
                        int day, int period, const std::string& cell);

// Every class of the school holding text at day 0..4, period 1..7, in grade and class
// order; more than one is a teacher clash. Empty for a text that is no lesson.
std::vector<ClassRef> holdersOf(const school::SchoolTimetable& timetable, int day, int period,
                                std::string_view text);

// The first preset of the teacher blocks day 0..4, period 1..7 (masks under 30
// characters block nothing).
bool presetBlocks(const AutoOrderData& data, std::string_view teacher, int day, int period);

// Sum of the weekly counts of every class course entry of the school with this teacher.
long long weeklyLoad(const AutoOrderData& data, std::string_view teacher);
// Lessons a teacher may give in a day: 5 with a weekly load of 20 or more, else 4.
int dayLimit(long long weeklyLoad);
// The teacher's lessons on day 0..4 in the whole school.
int lessonsOnDay(const school::SchoolTimetable& timetable, int day, std::string_view teacher);

bool isCourseView(const AutoOrderData& data, const school::SchoolTimetable& timetable, int grade);
// A copy with every grade in teacher names: every period cell read through teacherText().
// The colours, the status line, the personal timetable, the save, the reports and every
// reader of the stored timetable judge from this copy, so a course name or a unified
// course is never taken for a teacher.
school::SchoolTimetable inTeacherNames(const AutoOrderData& data,
                                       const school::SchoolTimetable& timetable);
// A copy with every grade in course names: a cell equal to a teacher of its class's list
// takes that entry's course (the first matching entry); course names stay as they are.
school::SchoolTimetable inCourseNames(const AutoOrderData& data,
                                      const school::SchoolTimetable& timetable);
// The course a held cell stands for, as inCourseNames() reads it.
std::string courseText(const ClassCourseList& list, const std::string& cell);

// A period 1..2 cell (outside a unified slot) that holds no main course: not a lesson, or a
// teacher who is none of the first four entries of the class's list (or no list at all).
bool missesMainCourse(const ClassCourseList* list, std::string_view teacher);

// The class's Chinese double period is missing: its first 语文 entry has a teacher and a
// weekly count of 2 or more, yet no day of the class's week (in teacher names) holds that
// teacher in two neighbouring periods.
bool missesChineseDouble(const ClassCourseList& list, const school::SchoolTimetable& teachers,
                         int grade, int position);

struct ResourceOverrun {
    std::string course;
    int day = 0;     // 0..4
    int period = 0;  // 1..7
    int classes = 0; // classes of the school holding the course then
    int limit = 0;
    int over() const { return classes - limit; }
};

// Classes of the school holding course at day 0..4, period 1..7 (over course names).
int classesHolding(const school::SchoolTimetable& courseNames, int day, int period,
                   std::string_view course);
// The overrun of one subject resource at day 0..4, period 1..7, if it has a limit and more
// classes hold it than the limit allows.
std::optional<ResourceOverrun> overrunAt(const SubjectResource& resource,
                                         const school::SchoolTimetable& courseNames, int day,
                                         int period);

// The periods of day 0..4 in which a limited resource is held by more classes than its
// limit, resource by resource (table order) and period by period; over a timetable in
// course names.
std::vector<ResourceOverrun> resourceOverruns(const AutoOrderData& data,
                                              const school::SchoolTimetable& courseNames, int day);

} // namespace timetable
