// Creating a new, empty database with the sixteen tables and the settings table (setting): a
// file, or the tables in an empty server database. Only the command line's init and the tests
// create databases; the program itself never does (it only adds setting to an older database
// on the first save of the school settings).
#pragma once

#include <string>

namespace store {

// Creates the file (its folder must exist), the sixteen tables and setting. Throws DbError when
// the file already exists (it is never overwritten) or the driver fails.
void createDatabase(const std::string& path);

// Creates the sixteen tables and setting in the database the connection string opens and,
// when `copyFrom` names a database file, fills them with its rows in stored order (a copied
// file without setting leaves it empty), all in one transaction. Throws DbError, writing
// nothing, when any of them is there already or any statement fails; a run killed half-way
// leaves nothing either.
void createTables(const std::string& connectionString, const std::string& copyFrom = {});

} // namespace store
