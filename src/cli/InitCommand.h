// tavlen-cli init DIR [--demo]: creates DIR/tavlen/tavlen.mdb with the sixteen empty
// tables (never over an existing database), installs the report templates of
// core::templateFolder() next to it and, with --demo, fills in the demo school through the
// record sets.
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Adds the command's options to command; returns what runs it.
Run defineInit(CLI::App& command);
// The usage lines shown after a wrong argument.
std::string initUsage();
// What the command does for DIR (also the program's 新建学校): 0 when the school was made;
// otherwise the reason is on err and no database was left behind.
int initSchool(const std::string& dir, bool demo, std::ostream& out, std::ostream& err);

} // namespace cli
