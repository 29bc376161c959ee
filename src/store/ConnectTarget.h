// Where record sets connect. By default each one uses its own connect string, which
// names the data source "TAVLEN" (in either letter case) that the program registers at
// start. The command line and the tests instead direct every record set of the process
// at one database file, DSN-less through the SQLite3 driver, so they never depend on or
// re-point the machine's data sources.
#pragma once

#include <string>
#include <string_view>

namespace store {

inline constexpr std::string_view kDriverName = "SQLite3";
// A database locked by another program gives its error after this wait (milliseconds).
inline constexpr int kBusyTimeoutMs = 2000;
// The program's database, relative to the working directory, as messages name it.
inline constexpr const char* kProgramDatabase = "tavlen/tavlen.mdb";

// The connection string that opens the database file: never creates a missing file.
std::string fileConnectionString(const std::string& databasePath);

// Directs every record set opened from now on at this database file; `shownAs` is how
// messages name it (the path itself when empty).
void useDatabaseFile(const std::string& databasePath, const std::string& shownAs = {});
// Directs every record set opened from now on at this ODBC connection string, a server
// database ("DSN=NAME" or a whole connection string); `shownAs` is how messages name it.
void useConnection(const std::string& connectionString, const std::string& shownAs);
// Back to the record sets' own connect strings (the data source).
void useDataSource();

// The database file record sets use: the one set above (none for a server connection), or
// the file the program registers its data source for ("tavlen/tavlen.mdb" under the working
// directory); and how messages name the database.
std::string databaseFile();
std::string databaseShownAs();

// The ODBC connection string for a record set's connect string: the database file or the
// connection set above, otherwise the connect string without its "ODBC;" prefix.
std::string resolveConnectString(std::string_view recordSetConnect);

} // namespace store
