// tavlen-cli cover TEACHER --from DATE [--to DATE] [--category 事假] [--apply]
// [--notice FILE.pdf|FILE.xlsx] [--force]: the cover plan for TEACHER's absence from the
// tables of ./tavlen/tavlen.mdb, as 代课安排 makes it (cover/CoverPlanner.h): every lesson
// missed from DATE to DATE (one day without --to), each given its first candidate, nobody
// twice in one period. It prints the plan, one lesson a line (date, weekday, period, class,
// course, substitute or 无人代课, the reason, tab-separated), after a heading line; --apply
// writes the attendance records (cover/CoverApply.h) and keeps the plan as applied; --notice
// writes the cover notice (an existing file only with --force).
//
// The category is 事假, 公假 or 缺勤 (with or without the inner spaces; 事假 by default).
// Exit codes: 0 planned (and applied, written); 1 no database, a plan refused (a date outside
// weeks 1 … 60, no lessons in the range, a teacher not on the roster …), a database error or a
// notice that cannot be written; 2 wrong arguments (the usage follows the message).
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

Run defineCover(CLI::App& command);
std::string coverUsage();

} // namespace cli
