// The driver's error texts that say too little to a user, said plainly: a database file that
// is not this program's (a table or a column missing, not a database at all), and a file or
// folder the user may not read or write, each naming the database file. Any other text is
// kept as the driver gave it.
#pragma once

#include "store/DbError.h"

#include <string>
#include <string_view>

namespace store {

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
