// tavlen-cli import FILE.xlsx|FILE.csv… [--merge] [--dry-run]: brings a school's workbook (or
// one .csv file a sheet, named by the file) into ./tavlen/tavlen.mdb. The files are read and
// checked against the tables before anything is written; the preview (per touched table the
// rows added, changed and removed) and every problem with its sheet, row and column go to
// stdout. 替换 (the default) replaces the tables of the sheets present, --merge (合并) adds or
// updates their rows by key; either way one transaction over all touched tables.
//
// Exit codes: 0 imported (or, with --dry-run, checked without errors; --dry-run never writes);
// 1 a file that cannot be read, a database error, or errors found (nothing written, the
// errors listed); 2 wrong arguments.
#pragma once

#include "cli/Command.h"
#include "exchange/ImportPlan.h"

#include <iosfwd>
#include <string>

namespace cli {

Run defineImport(CLI::App& command);
std::string importUsage();

// The import of a workbook already read, into the database the record sets connect to:
// prints the preview, writes unless dryRun or errors, and returns the exit code.
int importRead(const exchange::Workbook& workbook, exchange::ImportMode mode, bool dryRun,
               std::ostream& out, std::ostream& err);

} // namespace cli
