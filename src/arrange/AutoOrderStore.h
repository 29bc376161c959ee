// Loading the arrangement engine's lists from the database: tables courseshare,
// classcourse, lessonprearrange and courseproperty, in that order, then samelesson, each
// read whole in stored order through its record set. The engine itself (AutoOrder) never
// touches the database. Throws store::DbError when a table cannot be read.
#pragma once

#include "arrange/AutoOrderData.h"

namespace arrange {

AutoOrderData loadAutoOrderData();

} // namespace arrange
