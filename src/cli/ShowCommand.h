// tavlen-cli show: a readable UTF-8 summary of the school in ./tavlen/tavlen.mdb, read
// back through the record sets (grades and classes, courses, teachers, grade plans, one
// line per class plan, and the sizes of the other tables).
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineShow(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string showUsage();

// Writes the summary of the database the record sets currently connect to. Throws
// store::DbError when a table cannot be read.
void writeSummary(std::ostream& out);

} // namespace cli
