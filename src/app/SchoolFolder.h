// A school folder: one that holds tavlen/tavlen.mdb (the program's database and templates live
// in its tavlen/ folder). UTF-8 paths; nothing here opens the database.
#pragma once

#include <string>

namespace app {

// True when folder/tavlen/tavlen.mdb is a file.
bool holdsSchool(const std::string& folder);

// The folder made absolute and clean ("/a/b/../c/" is "/a/c").
std::string cleanFolder(const std::string& folder);

} // namespace app
