// Helpers of the command-line tests: a temporary folder, a scoped environment variable
// and working directory, running a subcommand in-process with captured output, and
// reading a whole table generically.
#pragma once

#include "TempDatabase.h"
#include "cli/Command.h"
#include "store/ConnectTarget.h"
#include "store/RecordSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace clitest {

class TempDir {
public:
    TempDir() : m_path(testsupport::makeTempDir("tavlen-cli-test-")) {}
    ~TempDir() {
        store::useDataSource();
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class ScopedCwd {
public:
    explicit ScopedCwd(const std::filesystem::path& dir) : m_old(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedCwd() {
        std::error_code ec;
        std::filesystem::current_path(m_old, ec);
    }
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::filesystem::path m_old;
};

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs `tavlen-cli ARGS…` through the dispatch table, as main() does.
inline Result runCli(const std::vector<std::string>& args) {
    cli::Args argv{"tavlen-cli"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    Result result;
    result.code = cli::dispatch(argv, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every row of a table in stored order, through a plain record set over its definition.
inline std::vector<store::FieldList> readTable(const store::TableDef& table) {
    store::RecordSet recordSet(table, store::kConnectLower);
    recordSet.open();
    std::vector<store::FieldList> rows;
    if (recordSet.recordCount() > 0) {
        recordSet.moveFirst();
    }
    while (!recordSet.isEOF()) {
        rows.push_back(recordSet.fields());
        recordSet.moveNext();
    }
    return rows;
}

// The demo school made by `init --demo` as the working directory, its database the one every
// record set of the process connects to.
class DemoSchoolDir : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path school = m_dir / "school";
        ASSERT_EQ(runCli({"init", school.string(), "--demo"}).code, 0);
        store::useDatabaseFile((school / "tavlen" / "tavlen.mdb").string());
        m_cwd.emplace(school);
    }
    void TearDown() override { m_cwd.reset(); }

    TempDir m_dir;
    std::optional<ScopedCwd> m_cwd;
};

} // namespace clitest
