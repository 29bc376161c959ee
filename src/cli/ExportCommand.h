// tavlen-cli export KIND OPERANDS… -o OUT [--pdf OUT.pdf]: writes a report document from the
// tables of ./tavlen/tavlen.mdb, built by the same functions as the report's dialog and
// written through the same writer as `tavlen-cli report` (ReportOutput.h): -o writes the
// GBK document as "表格导出" does; --pdf also draws its pages as "打印" does, into a PDF
// file, under the title the dialog prints.
//
// Kinds:
//   lessons GRADE   the grade's timetable (初一 … 高三 or 1 … 6) from gradelesson, as the
//                   grade timetable dialog exports and prints it
//   teachers GRADE  the grade teacher list from classcourse, as 年段任课教师浏览 exports and
//                   prints it; what the list cannot hold is named on stderr
//   weekwork        the teachers' weekly lesson counts from teachername and classcourse, as
//                   教师周课时一览表 exports and prints them
//
// Exit codes: 0 written; 1 no database, a database error or a file that cannot be written;
// 2 wrong arguments (the usage follows the message).
#pragma once

#include "cli/Command.h"

#include <iosfwd>

namespace cli {

int runExport(const Args& args, std::ostream& out, std::ostream& err);

} // namespace cli
