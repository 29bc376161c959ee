// Creating a new, empty database file with the sixteen tables. Only the command line's
// init and the tests create databases; the program itself never does.
#pragma once

#include <string>

namespace store {

// Creates the file (its folder must exist) and the sixteen tables. Throws DbError when
// the file already exists (it is never overwritten) or the driver fails.
void createDatabase(const std::string& path);

} // namespace store
