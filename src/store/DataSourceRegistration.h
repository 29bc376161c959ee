// Registers the data source "TAVLEN" with unixODBC's installer library, as the program
// does at every start: driver SQLite3, Database=<working dir>/tavlen/tavlen.mdb,
// DefaultDir=<working dir>/tavlen, NoCreat=1 (a missing file is an error, never a new
// empty database) and a short busy timeout. A system data source is written; where the
// system one is refused (no rights) a user data source is written instead. A user data
// source of the same name shadows the system one, so an existing one is kept pointing at
// the same file. Working directories of any length work. A "TAVLEN" of another driver (a
// PostgreSQL server shared by several PCs) is left as it is. A working directory holding a
// line break or another control character is refused (nothing written, `error` says why).
//
// registerForThisRun() is the program's start: it registers the data source, then keeps
// every record set of this process on the file it registered, through a connection string
// naming that file. Another copy of the program started elsewhere re-points the one data
// source at its own directory; this process goes on saving into its own database all the same.
// A server data source left as it is stays what the record sets connect to.
#pragma once

#include <string>

namespace store {

inline constexpr const char* kDataSourceName = "TAVLEN";

struct RegistrationResult {
    bool ok = false;
    bool system = false;    // written as a system data source
    bool user = false;      // written as a user data source
    bool leftAlone = false; // "TAVLEN" names another driver's database and was kept
    std::string error;      // the installer's text when nothing could be written
};

RegistrationResult registerDataSource(const std::string& workingDir);
RegistrationResult registerForThisRun(const std::string& workingDir);

// <workingDir>/tavlen and <workingDir>/tavlen/tavlen.mdb.
std::string dataDirectory(const std::string& workingDir);
std::string databasePath(const std::string& workingDir);

} // namespace store
