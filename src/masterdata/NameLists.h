// The name lists the master-data dialogs choose from, read from their tables in stored
// order: the course names of table [coursename] and the teacher roster of table
// [teachername]. A list is taken entry by entry and stops at the first blank name
// (shorter than 4 GBK bytes) or at the dialog's capacity, whichever comes first; so a
// list never holds a blank name. Reading opens the table and may throw store::DbError.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace masterdata {

std::vector<std::string> readCourseNames(std::size_t capacity);
std::vector<std::string> readTeacherNames(std::size_t capacity);

} // namespace masterdata
