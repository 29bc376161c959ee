// What several commands share: the working directory's database, opened DSN-less so the
// machine's "TAVLEN" data source is never re-pointed, and the grade argument.
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// A server database named on the command line instead of the working directory's file:
// `--dsn NAME` (a data source) or `--connect STRING` (a whole ODBC connection string).
struct ServerDatabase {
    std::string connection; // the ODBC connection string
    std::string shownAs;    // how messages name it (a password never shows)
};

// Takes --dsn and --connect out of a command's arguments and keeps them for
// useWorkingDatabase(); says on err what is wrong and returns false.
bool takeServerOption(Args& args, std::ostream& err);
const std::optional<ServerDatabase>& serverDatabase();

inline constexpr const char* kDatabasePath = "./tavlen/tavlen.mdb";

// Directs every record set of the process at the server database given on the command line,
// or else at ./tavlen/tavlen.mdb. When there is no such file, says so on err and returns
// false.
bool useWorkingDatabase(std::ostream& err);

// "忽略 N 条无效记录：…" naming each row a command passed over; nothing when there is none.
void writeIgnoredRows(std::ostream& out, const std::vector<std::string>& rows);

// A grade given by its name (初一 … 高三) or its number (1 … 6), as its index 0 … 5.
std::optional<int> parseGrade(const std::string& text);

} // namespace cli
