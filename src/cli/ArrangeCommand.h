// tavlen-cli arrange GRADE|all [--save] [--seed N] [--courses] [--grid GRADE]…
//                          [--optimise [--time-limit S]]
//
// Works on ./tavlen/tavlen.mdb: loads the school timetable from gradelesson and the
// engine's lists, arranges the grade (a name "初一" … "高三" or a number 1..6), or with
// "all" every grade in order in this one process, prints the arranged week of each grade
// shown (the grade itself; with "all" only the grades named by --grid) as a grid of
// periods × Monday..Friday with teacher names (and courses with --courses), then what
// remains to be mended and a one-line quality count per grade. --save writes gradelesson.
// --seed N seeds the C library's generator first; without it the run takes the unseeded
// sequence, so two fresh runs on the same data print the same.
//
// --optimise arranges with the clash-free optimiser instead (optimise/Optimiser.h): the
// requested grades in one run around the others as saved (with "all", the whole school),
// honouring the arrangement plan (orderplan), within --time-limit S seconds (default 10).
// Each grade gets the same summary as above; then what could not be met ("无法满足：",
// found before searching; "未满足：", left when the time ran out), and one line saying
// whether every rule holds, with the periods 1-2 without a main course and the time taken.
// The exit status is 3 when a rule is left broken (the timetable is printed and, with
// --save, saved all the same).
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineArrange(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string arrangeUsage();

} // namespace cli
