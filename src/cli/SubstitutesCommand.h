// tavlen-cli substitutes TEACHER --day DAY --period P [--class CLASS]: who can take over the
// lesson TEACHER misses, from the tables of ./tavlen/tavlen.mdb, ranked as the 代课 box of
// 出勤情况录入 offers them (attendance/SubstituteCandidates.h). One candidate a line: the name,
// a tab, the reason ("同科 · 当天2节 · 本周14节"). Without --class the class is the one TEACHER
// teaches in that period in gradelesson.
//
// DAY: 星期一 … 星期五 or 1 … 5; P: 1 … 7 or 第一节 … 第七节; CLASS: a class name ("初一⑶").
// Exit codes: 0 listed (no line when nobody is free); 1 no database, a database error or a
// teacher who is not in the roster; 2 wrong arguments (the usage follows the message).
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineSubstitutes(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string substitutesUsage();

} // namespace cli
