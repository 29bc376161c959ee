// What the published pages are built from: the school timetable in teacher names (a grade
// stored in course names read through the class course lists, as the engine reads it), the
// class course lists and unified slots, the teacher roster's order and the school settings.
// Plain data, so the builders (PageBuilder.h) run on a hand-made school in the tests;
// loadSchoolSource() reads it from the program's data source.
#pragma once

#include "core/SchoolSettings.h"
#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"

#include <string>
#include <vector>

namespace publish {

struct SchoolSource {
    school::SchoolTimetable teachers; // teacher names; a unified slot holds the blank
    timetable::AutoOrderData data;    // class course lists and samelesson rows
    std::vector<std::string> roster;  // teachername in table order: the teachers' page order
    school::SchoolSettings settings;
};

// Reads gradelesson, the class course lists, teachername and the settings. Throws
// store::DbError when a table cannot be read; missing settings are defaults.
SchoolSource loadSchoolSource();

} // namespace publish
