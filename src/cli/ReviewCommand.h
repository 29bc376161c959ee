// tavlen-cli review GRADE [--save] [--seed N]
//
// Works on ./tavlen/tavlen.mdb: arranges the review timetable of a grade (初一 … 高三 or 1..6)
// from its review plan (gradecourse rows with 天数 above 0) and its classes' teachers
// (classcourse), with the same review arrangement as the dialog "复习课程编排", prints each
// arranged class as a grid of periods × review days and the teacher clashes left in the grade;
// --save writes the grade's rows of reviewlesson (the other grades' rows stay). --seed N seeds
// the C library's generator first.
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineReview(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string reviewUsage();

} // namespace cli
