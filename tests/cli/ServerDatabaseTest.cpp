// tavlen-cli on a database server: init --connect creates the sixteen tables and the settings
// (and refuses a database that holds them) and fills the demo school with its settings, then
// arrange, show and export work on it through --connect as on the working directory's file,
// and give the same answers.
#include "CliTestSupport.h"
#include "PostgresServer.h"

#include "cli/DemoSchool.h"
#include "store/ConnectTarget.h"
#include "store/SchoolSettingsStore.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using clitest::readFile;
using clitest::runCli;

TEST(ServerDatabase, TheDemoSchoolArrangedShownAndExportedAsFromTheFile) {
    testsupport::PostgresServer* server = testsupport::PostgresServer::get();
    if (server == nullptr) {
        GTEST_SKIP() << testsupport::PostgresServer::skipReason();
    }
    const std::string connection = server->newDatabase();
    clitest::TempDir dir;
    const fs::path onServer = dir.path() / "server";
    const fs::path onFile = dir.path() / "file";
    const clitest::Result init =
        runCli({"init", onServer.string(), "--demo", "--connect", connection});
    ASSERT_EQ(init.code, 0) << init.err;
    EXPECT_NE(init.out.find("\n已填入示范学校："), std::string::npos) << init.out;
    EXPECT_NE(init.out.find(" 中创建 16 张表和学校设置表 setting\n"), std::string::npos)
        << init.out;
    EXPECT_TRUE(fs::exists(onServer / "tavlen" / "lessons"));
    EXPECT_FALSE(fs::exists(onServer / "tavlen" / "tavlen.mdb"));
    const clitest::Result again = runCli({"init", onServer.string(), "--connect", connection});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("数据库中已有表"), std::string::npos) << again.err;
    ASSERT_EQ(runCli({"init", onFile.string(), "--demo"}).code, 0);
    // The school's settings were copied with the rest.
    store::useConnection(connection, "测试服务器数据库");
    EXPECT_EQ(store::readSchoolSettings(), cli::makeDemoSchool().settings);
    store::useDataSource();

    // The same commands on both databases say the same, but for the database's name.
    const std::vector<std::vector<std::string>> commands = {
        {"arrange", "all", "--save", "--seed", "7"},
        {"show"},
        {"export", "lessons", "初二", "-o", "lessons.txt"},
    };
    for (const auto& command : commands) {
        clitest::Result results[2];
        std::string exported[2];
        for (int side = 0; side < 2; ++side) {
            const clitest::ScopedCwd cwd(side == 0 ? onServer : onFile);
            std::vector<std::string> args = command;
            if (side == 0) {
                args.insert(args.end(), {"--connect", connection});
            }
            results[side] = runCli(args);
            ASSERT_EQ(results[side].code, 0) << command[0] << results[side].err;
            exported[side] = readFile("lessons.txt");
        }
        const auto unnamed = [](std::string text) {
            const std::size_t line = text.find('\n');
            return text.starts_with("数据库 ") ? text.substr(line) : text;
        };
        EXPECT_EQ(unnamed(results[0].out), unnamed(results[1].out)) << command[0];
        EXPECT_EQ(exported[0], exported[1]) << command[0];
    }
}

TEST(ServerDatabase, WrongServerOptionsAreUsageErrors) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"show", "--dsn"}, "tavlen-cli: 选项 --dsn 缺少参数\n"},
        {{"show", "--dsn", "A", "--connect", "DSN=B"},
         "tavlen-cli: --dsn 与 --connect 只能给一个\n"},
    };
    for (const auto& c : cases) {
        const clitest::Result r = runCli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, c.message);
    }
}

} // namespace
