// Where the command line's data goes when folder names, servers and other programs are
// hostile: a folder name holding ';', '{', '}', '=', quotes, spaces or Chinese never redirects
// the database, one holding a line break is refused before anything is written; a server
// init killed half-way leaves nothing; a table another program holds locked fails the save
// after a short wait with a plain message and nothing changed, on both engines; a server that
// refuses or lacks what is asked is named in Chinese; no driver log is left behind.
#include "CliTestSupport.h"
#include "PostgresServer.h"

#include "store/CGLRecord.h"
#include "store/DbMessages.h"
#include "store/Odbc.h"
#include "store/Schema.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <thread>

#include <fcntl.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using clitest::runCli;

// Rows of a table in the SQLite file, read over a connection of its own.
long countRows(const std::string& connection, const std::string& table) {
    store::odbc::Connection c;
    c.connect(connection);
    store::odbc::Statement s(c);
    s.executeDirect("SELECT COUNT(*) FROM " + table);
    return s.fetch() ? s.integer(1).value_or(-1) : -1;
}

TEST(HostileDatabase, AFolderNameNeverRedirectsTheDatabase) {
    const char* names[] = {"a;b", "c{d", "e}f", "g=h", "i j", "k'l", "m\"n", "中文;x=y{z}"};
    for (const char* name : names) {
        const clitest::TempDir dir;
        // an unrelated SQLite file where a name cut at ';', '{' or '=' would point
        const std::string decoy = (dir / "decoy").string();
        store::odbc::Connection d;
        d.connect(store::newFileConnectionString(decoy));
        d.execute("CREATE TABLE foreign_t (x INTEGER)");
        d.disconnect();
        for (const char* prefix : {"a", "c", "e", "g", "i", "k", "m", "中文"}) {
            fs::copy_file(decoy, dir / prefix, fs::copy_options::overwrite_existing);
        }
        const fs::path school = dir / name;
        const clitest::Result init = runCli({"init", school.string(), "--demo"});
        ASSERT_EQ(init.code, 0) << name << ": " << init.err;
        {
            const clitest::ScopedCwd cwd(school);
            const clitest::Result arrange = runCli({"arrange", "1", "--save"});
            ASSERT_EQ(arrange.code, 0) << name << ": " << arrange.err;
        }
        const std::string database = (school / "tavlen" / "tavlen.mdb").string();
        EXPECT_EQ(countRows(store::fileConnectionString(database), "teachername"), 126) << name;
        EXPECT_GT(countRows(store::fileConnectionString(database), "gradelesson"), 0) << name;
        for (const char* prefix : {"a", "c", "e", "g", "i", "k", "m", "中文"}) {
            EXPECT_EQ(clitest::readFile(dir / prefix), clitest::readFile(decoy))
                << name << " wrote into " << prefix;
        }
    }
}

TEST(HostileDatabase, AFolderNameWithALineBreakIsRefusedBeforeAnythingIsWritten) {
    for (const std::string name :
         {"inj\n[EVIL]\nDriver=SQLite3\nServername=evil", "nl\nx", "t\tab"}) {
        const clitest::TempDir dir;
        const fs::path school = dir / name;
        const clitest::Result init = runCli({"init", school.string(), "--demo"});
        EXPECT_EQ(init.code, 1);
        EXPECT_NE(init.err.find("文件夹名中含有换行或控制字符，不能作为数据库位置："),
                  std::string::npos)
            << init.err;
        EXPECT_EQ(init.err.find('\n'), init.err.size() - 1) << "the name is shown on one line";
        EXPECT_FALSE(fs::exists(school));

        // A school folder renamed so: the commands refuse to open it.
        fs::create_directories(school);
        ASSERT_EQ(runCli({"init", (dir / "plain").string(), "--demo"}).code, 0);
        fs::rename(dir / "plain" / "tavlen", school / "tavlen");
        const clitest::ScopedCwd cwd(school);
        const clitest::Result show = runCli({"show"});
        EXPECT_EQ(show.code, 1);
        EXPECT_NE(show.err.find("文件夹名中含有换行或控制字符"), std::string::npos) << show.err;
    }
}

// Holds the write lock of a database on a connection of its own, as another program saving.
struct HeldLock {
    explicit HeldLock(const std::string& connection) {
        c.connect(connection);
        transaction.emplace(c);
        c.execute(c.engine() == store::odbc::Engine::PostgreSQL
                      ? "LOCK TABLE gradelesson IN EXCLUSIVE MODE"
                      : "DELETE FROM gradelesson WHERE 0 = 1");
    }
    store::odbc::Connection c;
    std::optional<store::odbc::Transaction> transaction;
};

void expectBusySaveChangesNothing(const std::string& connection,
                                  const std::vector<std::string>& serverOption) {
    const long before = countRows(connection, "gradelesson");
    const HeldLock lock(connection);
    std::vector<std::string> args = {"arrange", "1", "--save"};
    args.insert(args.end(), serverOption.begin(), serverOption.end());
    const auto start = std::chrono::steady_clock::now();
    const clitest::Result r = runCli(args);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.code, 1);
    const std::string busy = std::string(store::kBusyMessage) + "\n";
    const std::size_t at = r.err.find(busy);
    ASSERT_NE(at, std::string::npos) << r.err;
    EXPECT_GT(r.err.size(), at + busy.size() + 1) << "the driver's text on its own line";
    EXPECT_LT(waited, std::chrono::seconds(15));
    EXPECT_EQ(countRows(connection, "gradelesson"), before);
}

TEST(HostileDatabase, ALockedFileFailsTheSaveWithAPlainMessage) {
    const clitest::TempDir dir;
    ASSERT_EQ(runCli({"init", dir.path().string(), "--demo"}).code, 0);
    const clitest::ScopedCwd cwd(dir.path());
    expectBusySaveChangesNothing(
        store::fileConnectionString((dir / "tavlen" / "tavlen.mdb").string()), {});
}

TEST(HostileDatabase, ALockedServerTableFailsTheSaveWithAPlainMessage) {
    testsupport::PostgresServer* server = testsupport::PostgresServer::get();
    if (server == nullptr) {
        GTEST_SKIP() << testsupport::PostgresServer::skipReason();
    }
    const std::string connection = server->newDatabase();
    const clitest::TempDir dir;
    ASSERT_EQ(runCli({"init", dir.path().string(), "--demo", "--connect", connection}).code, 0);
    const clitest::ScopedCwd cwd(dir.path());
    expectBusySaveChangesNothing(connection, {"--connect", connection});
}

// Runs the built tavlen-cli; its process id and, once waited for, its exit status.
pid_t startCli(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(TAVLEN_CLI)};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        const int devnull = ::open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execv(TAVLEN_CLI, argv.data());
        _exit(127);
    }
    return pid;
}

long serverTables(const std::string& connection) {
    store::odbc::Connection c;
    c.connect(connection);
    store::odbc::Statement s(c);
    s.executeDirect("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = 'public'");
    return s.fetch() ? s.integer(1).value_or(-1) : -1;
}

TEST(HostileDatabase, AServerInitKilledHalfWayLeavesNothingAndCanRunAgain) {
    testsupport::PostgresServer* server = testsupport::PostgresServer::get();
    if (server == nullptr) {
        GTEST_SKIP() << testsupport::PostgresServer::skipReason();
    }
    for (const int afterMs : {80, 200, 350}) {
        const std::string connection = server->newDatabase();
        const clitest::TempDir dir;
        const pid_t pid =
            startCli({"init", dir.path().string(), "--demo", "--connect", connection});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        const long tables = serverTables(connection);
        if (tables == 17) { // it finished before the kill: the whole school is there
            EXPECT_EQ(countRows(connection, "teachername"), 126);
            continue;
        }
        EXPECT_EQ(tables, 0) << "killed after " << afterMs << " ms";
        const clitest::Result again =
            runCli({"init", dir.path().string(), "--demo", "--connect", connection});
        EXPECT_EQ(again.code, 0) << again.err;
        EXPECT_EQ(countRows(connection, "teachername"), 126);
        EXPECT_GT(countRows(connection, "classcourse"), 0);
    }
}

TEST(HostileDatabase, ServerFailuresAreNamedInChinese) {
    testsupport::PostgresServer* server = testsupport::PostgresServer::get();
    if (server == nullptr) {
        GTEST_SKIP() << testsupport::PostgresServer::skipReason();
    }
    const clitest::TempDir dir;
    const std::string empty = server->newDatabase();
    const std::string down = "DRIVER=psqlodbca.so;Servername=" + (dir / "nosocket").string() +
                             ";Database=tavlen;Username=postgres;CommLog=0";
    const struct {
        std::string connection;
        const char* expected;
    } cases[] = {
        {empty, "不是本程序的数据库（缺少表 gradeclass）\n"},
        {server->connectionString("nosuchdb"), "数据库服务器上没有数据库 nosuchdb"},
        {down, "无法连接数据库服务器 "},
    };
    const clitest::ScopedCwd cwd(dir.path());
    for (const auto& c : cases) {
        const clitest::Result r = runCli({"show", "--connect", c.connection});
        EXPECT_EQ(r.code, 1);
        const std::size_t at = r.err.find(c.expected);
        ASSERT_NE(at, std::string::npos) << r.err;
        // the driver's own words follow on a line of their own
        EXPECT_NE(r.err.find('\n', at), r.err.size() - 1) << r.err;
    }
}

TEST(HostileDatabase, NoDriverLogIsLeftInTheTemporaryFolder) {
    testsupport::PostgresServer* server = testsupport::PostgresServer::get();
    if (server == nullptr) {
        GTEST_SKIP() << testsupport::PostgresServer::skipReason();
    }
    std::string connection = server->newDatabase();
    for (const char* key : {";CommLog=0", ";Debug=0"}) { // as a user writes it: no log setting
        connection.erase(connection.find(key), std::string_view(key).size());
    }
    const pid_t pid = startCli({"show", "--connect", connection});
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string suffix = std::to_string(pid) + ".log";
    for (const fs::directory_entry& entry : fs::directory_iterator("/tmp")) {
        const std::string file = entry.path().filename().string();
        EXPECT_FALSE(file.starts_with("psqlodbc_") && file.ends_with(suffix)) << file;
    }
}

} // namespace
