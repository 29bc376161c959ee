// What several commands share: the working directory's database, opened DSN-less so the
// machine's "TAVLEN" data source is never re-pointed, and the grade argument.
#pragma once

#include "cli/Command.h"

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A server database named on the command line instead of the working directory's file:
// `--dsn NAME` (a data source) or `--connect STRING` (a whole ODBC connection string).
struct ServerDatabase {
    std::string connection; // the ODBC connection string
    std::string shownAs;    // how messages name it (a password never shows)
};

// --dsn NAME, --connect STRING and --connect-file FILE as a command line gave them, in the
// order given. --connect-file reads the connection string from a regular file that only its
// owner may read (a trailing line break is dropped), so that neither a password nor the
// string shows in a process list.
struct ServerOptions {
    std::string dsn;
    std::string connect;
    std::string connectFile;
    std::vector<std::string> given; // the options' names
};

// Adds the three options to app and to every command under it.
void addServerOptions(CLI::App& app, ServerOptions& options);

// Whether a command-line problem is one of these options' (said without a command's usage).
bool isServerOption(const std::string& problem);

// Keeps the database the options name for useWorkingDatabase(), or none when none is given.
// Returns 0, or the exit code after saying on err what is wrong: 2 for a missing value or
// two of them, 1 for a connection file that is refused.
int chooseServer(const ServerOptions& options, std::ostream& err);
const std::optional<ServerDatabase>& serverDatabase();

inline constexpr const char* kDatabasePath = "./tavlen/tavlen.mdb";

// Directs every record set of the process at the server database given on the command line,
// or else at ./tavlen/tavlen.mdb. When there is no such file, says so on err and returns
// false.
bool useWorkingDatabase(std::ostream& err);

// The bytes of a file the command line names as input: a regular file (a symbolic link to one
// is followed) of at most limit bytes, read without waiting; anything else (a folder, a FIFO,
// a device, a larger file) is refused without reading. Returns the error naming the path
// ("数据文件“x”不是普通文件，没有读取。"), empty on success.
inline constexpr std::size_t kInputLimit = std::size_t{64} << 20;
std::string readInputFile(const std::string& path, std::string_view what, std::string& bytes,
                          std::size_t limit = kInputLimit);

// "忽略 N 条无效记录：…" naming each row a command passed over; nothing when there is none.
void writeIgnoredRows(std::ostream& out, const std::vector<std::string>& rows);

// A time limit in seconds: a number above 0, at most a day (86400).
std::optional<double> parseSeconds(const std::string& text);

// Seconds as the optimisers' summaries show them: "0.25".
std::string secondsText(double seconds);

// A grade given by its name (初一 … 高三) or its number (1 … 6), as its index 0 … 5.
std::optional<int> parseGrade(const std::string& text);

} // namespace cli
