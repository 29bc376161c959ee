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
//   weeks --week N [--activity A]
//                   the week's attendance counts per teacher (week 0 … 50, activity 常规教学
//                   unless given), as 出勤情况统计 exports and prints them
//   months --month M --from A --to B
//                   the teachers' workload of weeks A … B (1 … 60) under the title of month M
//                   (1 … 12), as 教师月份工作量统计表 does; no attendance record at all is an
//                   error ("无出勤记录!"), nothing written
//   term            the teachers' workload of weeks 1 … 25, as 教师学期工作量统计表 does
//
// Exit codes: 0 written; 1 no database, a database error or a file that cannot be written;
// 2 wrong arguments (the usage follows the message).
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineExport(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string exportUsage();

} // namespace cli
