// tavlen-cli report KIND --data FILE.tsv -o OUT [--pdf OUT.pdf] [--title TEXT] [--days D]:
// writes a report document from a table given as UTF-8 tab-separated text, through the
// same writer as the report dialogs, in the working directory (its tavlen/ holds the
// templates). -o writes the GBK document as "表格导出" does; --pdf draws the pages as
// "打印" does, into a PDF file.
//
// One line per entry (empty lines are skipped):
//   weekly            name and 6 counts (late, left early, private leave, official leave,
//                     absent, substitutions)
//   monthly, term     name and 9 values
//   teachers          one grid row of up to 20 cells, the first line the headings
//   supervise         one grid row of up to 15 cells, the first line the headings
//   lessons           class name and its 35 cells (Monday periods 1-7, then Tuesday …)
//   lessonr           class name and 7 × D cells, D from --days (1 … 10)
//   weekwork          teacher, subject and weekly lesson count
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineReport(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string reportUsage();

} // namespace cli
