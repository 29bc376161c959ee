// What every command's command line shares: the Chinese help (labels, -h/--help, the option
// groups), options taking one text value, and the message of a wrong argument, which names the
// command and is followed by the command's usage (Command::usage).
#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <string>

namespace cli {

// Gives app the Chinese help: -h,--help, the labels and "选项" as the options' group.
void describeInChinese(CLI::App& app);

// An option (or positional, when name has no leading '-') taking one text value, shown in the
// help as `typeName` with `about`; the command checks the value itself, so its message is the
// command's own.
void addText(CLI::App& app, const std::string& name, std::string& value,
             const std::string& typeName, const std::string& about);

// "tavlen-cli COMMAND: problem", then the command's usage; returns 2, a usage error's exit code.
int usageError(std::ostream& err, const std::string& command, const std::string& problem);

// False after the usage error for the first argument no option took: "未知的选项 --x" for
// what looks like an option, "多余的参数 x" for anything else.
bool noExtra(const Args& extra, std::ostream& err, const std::string& command);

} // namespace cli
