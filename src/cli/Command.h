// The subcommands of tavlen-cli. Each takes its arguments (after the subcommand name)
// and the output streams, works in the current working directory, and returns the
// process exit code: 0 on success, non-zero with a message on stderr otherwise.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};

// The table of all subcommands, in the order the usage text lists them.
const std::vector<Command>& commands();

// Dispatches argv[1] to its command; prints the usage on a missing or unknown name.
int dispatch(const Args& argv, std::ostream& out, std::ostream& err);

} // namespace cli
