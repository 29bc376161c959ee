// tavlen-cli export workbook -o FILE.xlsx [--template]: the school's workbook out of
// ./tavlen/tavlen.mdb (every sheet the import reads, filled from its tables), or with
// --template the same sheets holding only their header row and one example row (no database
// needed). The file is written whole or not at all; an existing one is replaced, as the other
// exports replace theirs. Exit codes: 0 written; 1 no database, a database error or a file
// that cannot be written.
#pragma once

#include <iosfwd>
#include <string>

namespace cli {

int exportWorkbook(const std::string& output, bool templateOnly, std::ostream& out,
                   std::ostream& err);

} // namespace cli
