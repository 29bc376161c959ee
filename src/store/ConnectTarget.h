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

// What a path holding a line break or another control character is refused with (followed by
// the path, its control characters shown as \n, \t or \xNN): such a name could split a line of
// odbc.ini or a message in two.
inline constexpr std::string_view kControlCharacterRefusal =
    "文件夹名中含有换行或控制字符，不能作为数据库位置：";

// The path with every control character written as \n, \r, \t or \xNN.
std::string shownPath(std::string_view path);
// kControlCharacterRefusal and the shown path when the path holds a control character; empty
// when it may be used.
std::string pathRefusal(std::string_view path);

// The database file as the SQLite3 driver's Database= value: an SQLite URI ("file:" and the
// path with every byte outside letters, digits and "/-._~" percent-encoded). The driver reads
// a value up to the next ';' and knows no braces, so a path holding ';', '{', '}', '=' or any
// other character the connection string gives a meaning to reaches the driver whole only this
// way.
std::string databaseUri(std::string_view databasePath);

// The connection string that opens the database file: never creates a missing file. Throws
// DbError with pathRefusal()'s text for a path holding a control character.
std::string fileConnectionString(const std::string& databasePath);
// The same without NoCreat: the driver creates the missing file.
std::string newFileConnectionString(const std::string& databasePath);

// Directs every record set opened from now on at this database file; `shownAs` is how
// messages name it (the path itself when empty). A path holding a control character is never
// opened: every record set opened from now on fails with pathRefusal()'s text.
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
// connection set above, otherwise the connect string without its "ODBC;" prefix. Throws
// DbError when the database file set above is refused.
std::string resolveConnectString(std::string_view recordSetConnect);

} // namespace store
