// Runs a tavlen-cli subcommand as runCli() does, but in a child process of the test: under
// a file-size limit when one is given (SIGXFSZ ignored, so a write past the limit fails with
// EFBIG, as on a nearly full disk), and killed at a deadline, so that a command that hangs
// fails its test instead of hanging it.
#pragma once

#include "CliTestSupport.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace clitest {

struct ChildResult : Result {
    bool timedOut = false;
};

namespace detail {

inline void writeAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

inline std::string readAll(std::FILE* file) {
    std::string bytes;
    std::rewind(file);
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) {
        bytes.append(buffer, n);
    }
    std::fclose(file);
    return bytes;
}

} // namespace detail

inline ChildResult runCliInChild(const std::vector<std::string>& args,
                                 std::optional<rlim_t> fileSizeLimit = std::nullopt,
                                 std::chrono::seconds deadline = std::chrono::seconds(10)) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*fileSizeLimit, *fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const Result r = runCli(args);
        detail::writeAll(::fileno(out), r.out);
        detail::writeAll(::fileno(err), r.err);
        ::_exit(r.code);
    }
    ChildResult result;
    if (pid < 0) {
        std::fclose(out);
        std::fclose(err);
        return result;
    }
    int status = 0;
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = detail::readAll(out);
    result.err = detail::readAll(err);
    return result;
}

} // namespace clitest
