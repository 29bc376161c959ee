// Test support for `tavlen-cli arrange` on the demo school: a temporary database holding the
// demo school as the working directory, the command run in-process through the dispatch
// table, and the command run as fresh processes.
#pragma once

#include "TempDatabase.h"
#include "cli/Command.h"
#include "cli/DemoSchool.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace arrangetest {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

// Everything a process opened with popen() writes, then its exit status (checked to be 0).
inline std::string outputOf(FILE* pipe) {
    std::string output;
    std::array<char, 4096> buffer{};
    while (pipe != nullptr && fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) {
        output += buffer.data();
    }
    if (pipe != nullptr) {
        EXPECT_EQ(pclose(pipe), 0) << output;
    }
    return output;
}

class DemoSchoolCli : public ::testing::Test {
protected:
    void SetUp() override {
        cli::storeDemoSchool(cli::makeDemoSchool());
        m_oldDir = std::filesystem::current_path();
        std::filesystem::current_path(m_db.workingDir());
    }
    void TearDown() override { std::filesystem::current_path(m_oldDir); }

    static Result run(const std::vector<std::string>& args) {
        std::vector<std::string> command{"arrange"};
        command.insert(command.end(), args.begin(), args.end());
        return runCommand(command);
    }
    // Any command of tavlen-cli, in-process.
    static Result runCommand(const std::vector<std::string>& args) {
        cli::Args argv{"tavlen-cli"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::ostringstream out;
        std::ostringstream err;
        Result r;
        r.code = cli::dispatch(argv, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    // `tavlen-cli arrange ARGS` started as a fresh process in the working directory.
    FILE* startProcess(const std::string& args) const {
        const std::string command =
            "cd '" + m_db.workingDir() + "' && '" TAVLEN_CLI "' arrange " + args + " 2>&1";
        return popen(command.c_str(), "r");
    }
    std::string runProcess(const std::string& args) const { return outputOf(startProcess(args)); }

    testsupport::TempDatabase m_db;
    std::filesystem::path m_oldDir;
};

} // namespace arrangetest
