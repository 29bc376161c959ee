// The subcommands of tavlen-cli, read from the command line by CLI11. Each command adds its
// options (with their Chinese help) to its own CLI::App and returns what runs it once the line
// is read: given the arguments no option took (say "多余的参数 X" or "未知的选项 X" for the
// first) and the output streams, it works in the current working directory and returns the
// process exit code: 0 on success, 1 for refused input or a failed database or file, 2 for a
// wrong command line (the command's usage follows the message), 3 for an optimised
// arrangement left with a rule broken.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace cli {

using Args = std::vector<std::string>;

using Run = std::function<int(const Args& extra, std::ostream& out, std::ostream& err)>;

struct Command {
    const char* name;
    const char* about;      // the help's line about the command
    std::string (*usage)(); // the usage lines shown after a wrong argument
    Run (*define)(CLI::App& command);
};

// The table of all subcommands, in the order the help lists them.
const std::vector<Command>& commands();

// Reads argv (argv[0] the program) and runs the command it names; --help and --version
// print on out and return 0.
int dispatch(const Args& argv, std::ostream& out, std::ostream& err);

// The same over a table of some of the commands (the front program's own; everything else it
// hands to the whole program).
int dispatchWith(const std::vector<Command>& table, const Args& argv, std::ostream& out,
                 std::ostream& err);
// The table being dispatched (empty outside a dispatch).
const std::vector<Command>& dispatchedCommands();

// The commands the front program runs itself: no Qt below them, so they start in a blink.
const std::vector<Command>& leanCommands();

// main(): argv converted from the locale's character set, the dispatch's output converted
// back.
int runMain(int argc, char** argv,
            int (*run)(const Args& argv, std::ostream& out, std::ostream& err));

} // namespace cli
