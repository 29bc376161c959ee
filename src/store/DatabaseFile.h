// Creating a new, empty database with the sixteen tables: a file, or the tables in an empty
// server database. Only the command line's init and the tests create databases; the program
// itself never does.
#pragma once

#include <string>

namespace store {

// Creates the file (its folder must exist) and the sixteen tables. Throws DbError when
// the file already exists (it is never overwritten) or the driver fails.
void createDatabase(const std::string& path);

// Creates the sixteen tables in the database the connection string opens and, when
// `copyFrom` names a database file, fills them with its rows in stored order, all in one
// transaction. Throws DbError, writing nothing, when any of them is there already or any
// statement fails; a run killed half-way leaves nothing either.
void createTables(const std::string& connectionString, const std::string& copyFrom = {});

} // namespace store
