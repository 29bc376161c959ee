// tavlen-cli: the command line over the same store and logic as the program. The arrangement
// commands run here, in a program without Qt, so that a small school is arranged in the time
// the whole program would take to load its libraries; every other command line (help,
// version, options before the command included) is handed unchanged to tavlen-cli-full,
// which lies beside this program in the build tree and in ../libexec/tavlen once installed.
#include "cli/Command.h"
#include "store/ConnectionPool.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

namespace {

bool runsHere(int argc, char** argv) {
    if (argc < 2) {
        return false;
    }
    for (const cli::Command& command : cli::leanCommands()) {
        if (std::string_view(argv[1]) == command.name) {
            return true;
        }
    }
    return false;
}

std::filesystem::path wholeProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path dir = error ? std::filesystem::path(".") : self.parent_path();
    for (const std::filesystem::path& candidate :
         {dir / "tavlen-cli-full", dir / ".." / "libexec" / "tavlen" / "tavlen-cli-full"}) {
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return dir / ".." / "libexec" / "tavlen" / "tavlen-cli-full";
}

} // namespace

int main(int argc, char** argv) {
    if (runsHere(argc, argv)) {
        // One command and the end: the database file keeps one connection throughout.
        store::odbc::pool::keepFileConnections(true);
        return cli::runMain(argc, argv,
                            [](const cli::Args& args, std::ostream& out, std::ostream& err) {
                                return cli::dispatchWith(cli::leanCommands(), args, out, err);
                            });
    }
    const std::filesystem::path whole = wholeProgram();
    ::execv(whole.c_str(), argv);
    std::cerr << "tavlen-cli: 无法启动 " << whole.string() << "（" << std::strerror(errno)
              << "）\n";
    return 1;
}
