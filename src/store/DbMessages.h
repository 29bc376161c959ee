// The driver's error texts that say too little to a user, said plainly: a database file that
// is not this program's (a table or a column missing, not a database at all), a file or
// folder the user may not read or write, a database another program holds locked, and a
// server that refuses the log-in, cannot be reached, lacks the database, only reads or has a
// full disk, each naming the database. Any other text is kept as the driver gave it.
#pragma once

#include "store/DbError.h"

#include <string>
#include <string_view>

namespace store {

// What a save or a read says when another program holds the database or the table locked
// longer than the wait (nothing is changed).
inline constexpr std::string_view kBusyMessage = "数据库正被其他程序使用，请稍后再试。";

// A database error whose text has been said plainly already.
class ExplainedDbError : public DbError {
public:
    using DbError::DbError;
};

// `table` is the table the failing statement worked on (empty when none, as for a connect).
// The plain words, then the driver's text on a line of its own; the driver's text alone when
// there is nothing plainer to say.
std::string explainedError(const std::string& driverText, std::string_view table);
// The plain words only (the driver's text when there are none).
std::string plainError(const std::string& driverText, std::string_view table);

} // namespace store
