// tavlen-cli init: the new database and its sixteen tables, the refusal to touch an
// existing one, the template installation and the argument checks.
#include "CliTestSupport.h"

#include "cli/InitCommand.h"
#include "core/TemplateFolder.h"
#include "store/CTNRecord.h"
#include "store/ConnectTarget.h"
#include "store/Odbc.h"
#include "store/Schema.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using clitest::readFile;
using clitest::runCli;
using clitest::TempDir;
using clitest::writeFile;

std::set<std::string> storedTableNames(const fs::path& database) {
    store::odbc::Connection connection;
    connection.connect(store::fileConnectionString(database.string()));
    store::odbc::Statement query(connection);
    query.executeDirect(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
    std::set<std::string> names;
    while (query.fetch()) {
        names.insert(query.text(1).value_or(""));
    }
    return names;
}

std::set<std::string> filesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class InitCommand : public ::testing::Test {
protected:
    TempDir m_dir;
    // No stray templates from the source tree: each test says where they come from.
    clitest::ScopedEnv m_templates{"TAVLEN_TEMPLATES", (m_dir / "no-templates").string()};
};

TEST_F(InitCommand, CreatesTheDatabaseWithTheSixteenEmptyTablesAndTheSettings) {
    const fs::path school = m_dir / "school";
    const auto result = runCli({"init", school.string()});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");

    const fs::path database = school / "tavlen" / "tavlen.mdb";
    ASSERT_TRUE(fs::is_regular_file(database));
    EXPECT_NE(result.out.find(database.string()), std::string::npos) << result.out;

    // The sixteen and the school's settings.
    std::set<std::string> expected = {"setting"};
    for (const store::TableDef* table : store::schema::allTables()) {
        expected.insert(std::string(table->name));
    }
    EXPECT_EQ(storedTableNames(database), expected);

    // Every record set binds its columns and finds the table empty.
    store::useDatabaseFile(database.string());
    for (const store::TableDef* table : store::schema::newDatabaseTables()) {
        EXPECT_TRUE(clitest::readTable(*table).empty()) << table->name;
    }
    EXPECT_EQ(filesIn(school / "tavlen"), std::set<std::string>{"tavlen.mdb"});
}

TEST_F(InitCommand, CreatesMissingParentFoldersAndAcceptsAnExistingDataFolder) {
    const fs::path nested = m_dir / "a" / "b";
    ASSERT_EQ(runCli({"init", nested.string()}).code, 0);
    EXPECT_TRUE(fs::is_regular_file(nested / "tavlen" / "tavlen.mdb"));

    const fs::path prepared = m_dir / "prepared";
    fs::create_directories(prepared / "tavlen");
    writeFile(prepared / "tavlen" / "notes.txt", "keep");
    ASSERT_EQ(runCli({"init", "--demo", prepared.string()}).code, 0);
    EXPECT_TRUE(fs::is_regular_file(prepared / "tavlen" / "tavlen.mdb"));
    EXPECT_EQ(readFile(prepared / "tavlen" / "notes.txt"), "keep");
}

TEST_F(InitCommand, RefusesAnExistingDatabaseAndChangesNothing) {
    const fs::path school = m_dir / "school";
    ASSERT_EQ(runCli({"init", school.string()}).code, 0);
    const fs::path database = school / "tavlen" / "tavlen.mdb";
    store::useDatabaseFile(database.string());
    const std::vector<store::TeachernameRow> roster = {{"王老师"}};
    store::CTNRecord().append(roster);
    store::useDataSource();
    const std::string before = readFile(database);

    // Templates on offer this time: the refusal must not install them either.
    const fs::path templates = m_dir / "templates";
    fs::create_directories(templates);
    writeFile(templates / "lesson.wps", "template");
    const clitest::ScopedEnv env("TAVLEN_TEMPLATES", templates.string());

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"init", school.string()},
          std::vector<std::string>{"init", school.string(), "--demo"}}) {
        const auto result = runCli(args);
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.err.find("已存在"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(database.string()), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(readFile(database), before);
    EXPECT_EQ(filesIn(school / "tavlen"), std::set<std::string>{"tavlen.mdb"});
    store::useDatabaseFile(database.string());
    EXPECT_EQ(store::CTNRecord().readAll(), roster);
}

TEST_F(InitCommand, CopiesEveryTemplateFileFromTheFolderNamedByTheEnvironment) {
    const fs::path templates = m_dir / "templates";
    fs::create_directories(templates / "old");
    const std::string gbkBytes = "\xB3\xF5\xD2\xBB\xA2\xC5\r\n\x0C"; // 初一⑴, CRLF, form feed
    writeFile(templates / "lesson.wps", gbkBytes);
    writeFile(templates / "teacher.wps", "");
    writeFile(templates / "old" / "lesson.wps", "an older copy");
    const clitest::ScopedEnv env("TAVLEN_TEMPLATES", templates.string());
    EXPECT_EQ(core::templateFolder(), templates.string());

    const fs::path school = m_dir / "school";
    const auto result = runCli({"init", school.string()});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("2 个报表模板"), std::string::npos) << result.out;
    const fs::path data = school / "tavlen";
    EXPECT_EQ(filesIn(data), (std::set<std::string>{"tavlen.mdb", "lesson.wps", "teacher.wps"}));
    EXPECT_EQ(readFile(data / "lesson.wps"), gbkBytes);
    EXPECT_EQ(readFile(data / "teacher.wps"), "");
}

TEST_F(InitCommand, KeepsATemplateTheDataFolderAlreadyHolds) {
    const fs::path templates = m_dir / "templates";
    fs::create_directories(templates);
    writeFile(templates / "lesson.wps", "new");
    writeFile(templates / "duty.wps", "duty");
    const clitest::ScopedEnv env("TAVLEN_TEMPLATES", templates.string());

    const fs::path school = m_dir / "school";
    fs::create_directories(school / "tavlen");
    writeFile(school / "tavlen" / "lesson.wps", "adapted");
    ASSERT_EQ(runCli({"init", school.string()}).code, 0);
    EXPECT_EQ(readFile(school / "tavlen" / "lesson.wps"), "adapted");
    EXPECT_EQ(readFile(school / "tavlen" / "duty.wps"), "duty");
}

TEST_F(InitCommand, AMissingOrEmptyTemplateFolderInstallsNothing) {
    fs::create_directories(m_dir / "empty");
    for (const std::string folder : {"missing", "empty"}) {
        const clitest::ScopedEnv env("TAVLEN_TEMPLATES", (m_dir / folder).string());
        const fs::path school = m_dir / ("school-" + folder);
        const auto result = runCli({"init", school.string()});
        ASSERT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(filesIn(school / "tavlen"), std::set<std::string>{"tavlen.mdb"});
    }
}

TEST_F(InitCommand, WithoutTheVariableTemplatesComeFromTheSourceTree) {
    unsetenv("TAVLEN_TEMPLATES");
    EXPECT_TRUE(fs::path(core::templateFolder()).is_absolute()) << core::templateFolder();
    EXPECT_EQ(fs::path(core::templateFolder()).filename(), "templates");
    const clitest::ScopedEnv empty("TAVLEN_TEMPLATES", "");
    EXPECT_EQ(fs::path(core::templateFolder()).filename(), "templates");
}

// Both ways the program is run: from the build tree it finds the source tree's templates;
// copied into a prefix's bin folder it finds <prefix>/share/tavlen/templates, and init copies
// those (a marker file only the prefix holds).
TEST_F(InitCommand, FindsTheTemplatesOfTheBuildTreeOrOfTheInstalledPrefix) {
    const fs::path prefix = m_dir / "usr";
    const fs::path installed = prefix / "share" / "tavlen" / "templates";
    fs::create_directories(prefix / "bin");
    fs::create_directories(installed);
    writeFile(installed / "marker.wps", "installed");
    // As installed: the front in bin, the whole program it starts in libexec/tavlen.
    fs::create_directories(prefix / "libexec" / "tavlen");
    fs::copy_file(TAVLEN_CLI, prefix / "bin" / "tavlen-cli");
    fs::copy_file(fs::path(TAVLEN_CLI).parent_path() / "tavlen-cli-full",
                  prefix / "libexec" / "tavlen" / "tavlen-cli-full");

    const auto initWith = [&](const fs::path& program, const std::string& school) {
        const std::string command = "cd '" + m_dir.path().string() +
                                    "' && env -u TAVLEN_TEMPLATES '" + program.string() +
                                    "' init '" + school + "' >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    ASSERT_EQ(initWith(prefix / "bin" / "tavlen-cli", "installed"), 0);
    EXPECT_EQ(filesIn(m_dir / "installed" / "tavlen"),
              (std::set<std::string>{"tavlen.mdb", "marker.wps"}));
    EXPECT_EQ(readFile(m_dir / "installed" / "tavlen" / "marker.wps"), "installed");

    ASSERT_EQ(initWith(TAVLEN_CLI, "built"), 0);
    std::set<std::string> sourceTemplates = filesIn(TAVLEN_SOURCE_TEMPLATES);
    sourceTemplates.insert("tavlen.mdb");
    EXPECT_EQ(filesIn(m_dir / "built" / "tavlen"), sourceTemplates);
}

TEST_F(InitCommand, RejectsMissingOrUnknownArgumentsWithoutCreatingAnything) {
    const fs::path school = m_dir / "school";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"init"}, std::vector<std::string>{"init", "--demo"},
          std::vector<std::string>{"init", school.string(), "--sample"},
          std::vector<std::string>{"init", school.string(), "other"}}) {
        const auto result = runCli(args);
        EXPECT_EQ(result.code, 2);
        EXPECT_NE(result.err.find("usage: tavlen-cli init DIR [--demo]"), std::string::npos)
            << result.err;
    }
    EXPECT_FALSE(fs::exists(school));
}

} // namespace

namespace {

// init killed at any moment leaves either no database (and init then succeeds) or the whole
// school, never a half-filled one that show accepts and init refuses to replace.
TEST(InitKilled, LeavesNoHalfSchool) {
    const TempDir dir;
    int withoutDatabase = 0;
    for (int run = 0; run < 12; ++run) {
        const fs::path school = dir / ("school" + std::to_string(run));
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execl(TAVLEN_CLI, TAVLEN_CLI, "init", school.c_str(), "--demo", nullptr);
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(15 * run));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);

        const fs::path database = school / "tavlen" / "tavlen.mdb";
        if (!fs::exists(database)) {
            ++withoutDatabase;
            ASSERT_EQ(runCli({"init", school.string(), "--demo"}).code, 0) << run;
            // and what the killed run was building is gone
            for (const std::string& name : filesIn(school / "tavlen")) {
                EXPECT_FALSE(name.starts_with(".tavlen.mdb.init-")) << name;
            }
        }
        store::useDatabaseFile(database.string());
        EXPECT_EQ(store::CTNRecord().readAll().size(), 126u) << run;
        store::useDataSource();
    }
    EXPECT_GT(withoutDatabase, 0); // some kills did land mid-way
}

} // namespace
