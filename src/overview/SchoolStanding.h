// Where the school stands, as the main window's overview shows it: per grade the classes set,
// the classes with a course plan, those whose every course has its teacher, those standing
// in the saved timetable and what remains to be mended there (in the words of the
// arrangement's report); the attendance weeks recorded and the duty times filled.
//
// standingOf() is pure: it judges the tables handed to it. readSchoolTables() reads them
// whole through their record sets (throws store::DbError), readStanding() does both and
// names the database in use.
#pragma once

#include "core/GradeClasses.h"
#include "core/SchoolNames.h"
#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace store {
struct AttendanceRow;
struct GradecourseRow;
struct SuperviseRow;
} // namespace store

namespace overview {

// What the saved timetable of a grade still breaks.
struct Remaining {
    int clashes = 0;          // teacher clashes with any class of the school
    int overloads = 0;        // teacher day overloads
    int presets = 0;          // lessons in a teacher's preset periods
    int resourceOverruns = 0; // subject resources over their limit
    std::string line;         // "剩余：碰课 2 处，…" as the arrangement reports it
    bool any() const { return clashes + overloads + presets + resourceOverruns > 0; }
};

struct GradeStanding {
    int grade = 0;              // 0..5
    std::optional<int> classes; // the count 年段班级编辑 stored; none when it stored none
    bool gradePlan = false;     // the grade has a weekly course plan
    int planned = 0;            // classes with a course plan of their own
    int staffed = 0;            // of those, classes whose every course has its teacher
    int arranged = 0;           // classes standing in the saved timetable
    std::string unstaffed;      // the first class and course without a teacher ("初一⑵ 数学")
    Remaining remaining;
    int classCount() const { return classes.value_or(0); }
};

struct Standing {
    std::string database; // the database in use, as the overview names it
    int courseNames = 0;
    int teachers = 0;
    int courseTeachers = 0; // rows of 学科教师编辑
    std::array<GradeStanding, school::kGrades> grades{};
    std::vector<int> attendanceWeeks; // the weeks with a record, ascending
    int attendanceRecords = 0;
    int dutyFilled = 0; // class and duty time pairs with a teacher
    int dutySlots = 0;  // the classes set × the fourteen duty times
};

// The tables the overview is drawn from, as read.
struct SchoolTables {
    std::vector<std::string> courseNames; // name lists in table order, up to the first blank
    std::vector<std::string> teachers;
    int courseTeachers = 0;
    school::GradeClasses classes;
    std::vector<store::GradecourseRow> gradePlans;
    timetable::AutoOrderData data;     // the class course lists and the arrangement's rules
    school::SchoolTimetable timetable; // gradelesson as stored
    std::vector<store::AttendanceRow> attendance;
    std::vector<store::SuperviseRow> duty;

    SchoolTables();
    ~SchoolTables();
    SchoolTables(SchoolTables&&) noexcept;
    SchoolTables& operator=(SchoolTables&&) noexcept;
};

Standing standingOf(const SchoolTables& tables);
SchoolTables readSchoolTables();
Standing readStanding();

} // namespace overview
