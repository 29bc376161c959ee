// The demo school that `tavlen-cli init DIR --demo` installs: six grades of 8 to 12
// classes, fifteen courses, a teacher for every class course (each teacher 10 to 20
// lessons a week), grade and class plans, unified slots, resource limits, course
// properties, a few teacher presets, a duty roster, standard workloads, three weeks of
// attendance and the school's settings (its name, week 1 beginning on Monday 2024-09-02 as
// the attendance assumes, and the times of the seven periods). Every row is one the
// program's own dialogs could have written.
//
// makeDemoSchool() is pure and deterministic: its random choices come from a fixed-seed
// generator with its own arithmetic, so every build on every platform gives the same
// school. storeDemoSchool() writes it through the record sets to whatever database they
// currently connect to (store::useDatabaseFile), replacing the contents of those tables.
// gradelesson, reviewlesson and orderplan are left alone: the arrangement fills them.
#pragma once

#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCPRecord.h"
#include "store/CCSRecord.h"
#include "store/CCTRecord.h"
#include "store/CCWRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"

#include "core/SchoolSettings.h"

#include <vector>

namespace cli {

struct DemoSchool {
    std::vector<store::CoursenameRow> coursename;
    std::vector<store::GradeclassRow> gradeclass;
    std::vector<store::TeachernameRow> teachername;
    std::vector<store::CourseteacherRow> courseteacher;
    std::vector<store::GradecourseRow> gradecourse;
    std::vector<store::SamelessonRow> samelesson;
    std::vector<store::ClasscourseRow> classcourse;
    std::vector<store::CourseshareRow> courseshare;
    std::vector<store::CoursepropertyRow> courseproperty;
    std::vector<store::LessonprearrangeRow> lessonprearrange;
    std::vector<store::SuperviseRow> supervise;
    std::vector<store::CourseweekRow> courseweek;
    std::vector<store::AttendanceRow> attendance;
    school::SchoolSettings settings;

    friend bool operator==(const DemoSchool&, const DemoSchool&) = default;
};

DemoSchool makeDemoSchool();

// Each table in one transaction (the settings as saveSchoolSettings stores them); throws
// store::DbError on the first failing table.
void storeDemoSchool(const DemoSchool& school);

} // namespace cli
