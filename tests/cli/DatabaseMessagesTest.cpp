// A database the command cannot use is named plainly: a file that is not this program's
// (empty, foreign, a table or a column missing) and a file or folder the user may not read
// or write, each with its path, instead of the driver's bare "no such table" or "connect
// failed". The permission cases run the command as an unprivileged user when the tests run
// as root, since root passes every permission check.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string output;
};

// Runs tavlen-cli in dir, as the user nobody when we are root; stdout and stderr together.
Outcome runAsUser(const fs::path& dir, const std::vector<std::string>& args) {
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0) {
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], 1);
        dup2(pipeEnds[1], 2);
        close(pipeEnds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(126);
        }
        if (chdir(dir.c_str()) != 0) {
            _exit(125);
        }
        std::vector<char*> argv{const_cast<char*>(TAVLEN_CLI)};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(TAVLEN_CLI, argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    Outcome outcome;
    std::array<char, 4096> buffer{};
    ssize_t n = 0;
    while ((n = read(pipeEnds[0], buffer.data(), buffer.size())) > 0) {
        outcome.output.append(buffer.data(), static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

TEST(DatabaseMessages, ADatabaseThatIsNotThisProgramsIsNamedPlainly) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& database)> spoil;
        const char* expected;
    };
    const Case cases[] = {
        {"empty file", [](const fs::path& db) { clitest::writeFile(db, ""); },
         "tavlen-cli show: tavlen/tavlen.mdb 不是本程序的数据库（缺少表 gradeclass）\n"},
        {"foreign file", [](const fs::path& db) { clitest::writeFile(db, std::string(4096, 'x')); },
         "tavlen-cli show: tavlen/tavlen.mdb 不是本程序的数据库（不是数据库文件）\n"},
        {"renamed column",
         [](const fs::path& db) {
             store::odbc::Connection c;
             c.connect(store::fileConnectionString(db.string()));
             c.execute("ALTER TABLE classcourse RENAME COLUMN 周课时 TO 课时");
         },
         "（表 classcourse 缺少列 周课时）\n"},
    };
    for (const Case& c : cases) {
        const clitest::TempDir dir;
        ASSERT_EQ(clitest::runCli({"init", dir.path().string()}).code, 0);
        const fs::path database = dir / "tavlen" / "tavlen.mdb";
        if (std::string(c.name) != "renamed column") {
            fs::remove(database);
        }
        c.spoil(database);
        const clitest::ScopedCwd cwd(dir.path());
        const clitest::Result r = clitest::runCli({"show"});
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.name << ": " << r.err;
    }
}

TEST(DatabaseMessages, AFileOrFolderWithoutPermissionIsNamedWithItsPath) {
    const clitest::TempDir dir;
    ASSERT_EQ(clitest::runCli({"init", dir.path().string(), "--demo"}).code, 0);
    fs::permissions(dir.path(), fs::perms::all); // the other user reaches the folder
    const fs::path data = dir / "tavlen";
    const fs::path database = data / "tavlen.mdb";
    Outcome o = runAsUser(dir.path(), {"show"});
    if (o.code == 125 || o.code == 126 || o.code == 127) {
        GTEST_SKIP() << "an unprivileged user cannot run " TAVLEN_CLI " from here";
    }

    fs::permissions(data, fs::perms::none);
    o = runAsUser(dir.path(), {"show"});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.output.find("没有权限访问 ./tavlen/tavlen.mdb"), std::string::npos) << o.output;

    fs::permissions(data, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(database, fs::perms::owner_read | fs::perms::owner_write);
    o = runAsUser(dir.path(), {"show"});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.output.find("没有权限读写数据库文件 " + database.string()), std::string::npos)
        << o.output;

    // readable but not writable: the save says so and writes nothing
    fs::permissions(database, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
    o = runAsUser(dir.path(), {"arrange", "1", "--save"});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.output.find("没有权限读写数据库文件 " + database.string()), std::string::npos)
        << o.output;
}

} // namespace
