// Loading the arrangement engine's lists from the database: tables courseshare,
// classcourse, lessonprearrange and courseproperty, in that order, then samelesson, each
// read whole in stored order through its record set. The engine itself (AutoOrder) never
// touches the database. Throws store::DbError when a table cannot be read. Rows holding a
// number that is no whole number or lies outside its column's range, and classcourse rows
// whose class is outside the naming scheme, are passed over and listed in ignoredRows.
#pragma once

#include "timetable/AutoOrderData.h"

namespace timetable {

AutoOrderData loadAutoOrderData();

} // namespace timetable
