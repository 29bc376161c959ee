#include "PostgresServer.h"

#include "TempDatabase.h"

#include "store/Odbc.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>

namespace testsupport {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderPrefix = "tvpg";
constexpr const char* kDriverLibrary = "psqlodbca.so";

// The newest installed server's programs, or empty.
std::string serverPrograms() {
    std::string best;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        const fs::path bin = entry.path() / "bin";
        if (fs::exists(bin / "initdb") && fs::exists(bin / "pg_ctl") &&
            (best.empty() ||
             entry.path().filename().string() > fs::path(best).parent_path().filename().string())) {
            best = bin.string();
        }
    }
    return best;
}

bool driverInstalled() {
    for (const char* dir : {"/usr/lib/x86_64-linux-gnu/odbc", "/usr/lib/aarch64-linux-gnu/odbc",
                            "/usr/lib/odbc", "/usr/local/lib"}) {
        if (fs::exists(fs::path(dir) / kDriverLibrary)) {
            return true;
        }
    }
    return false;
}

std::string quotedArg(const std::string& s) {
    std::string q = "'";
    for (const char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

// Runs a server program as the server's owner: root may not run the server itself.
bool run(const std::string& command) {
    const std::string line =
        (geteuid() == 0 ? "runuser -u postgres -- " : "") + command + " >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}

// Stops the servers of test processes that are gone.
void stopAbandoned(const std::string& bin) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kFolderPrefix)) {
            continue;
        }
        std::ifstream owner(entry.path() / "owner");
        long pid = 0;
        if (!(owner >> pid) || pid <= 0 || kill(static_cast<pid_t>(pid), 0) == 0) {
            continue;
        }
        run(bin + "/pg_ctl -D " + quotedArg((entry.path() / "data").string()) +
            " -m immediate -w stop");
        fs::remove_all(entry.path(), ec);
    }
}

std::unique_ptr<PostgresServer>& instance() {
    static std::unique_ptr<PostgresServer> server;
    return server;
}

std::string& reason() {
    static std::string text;
    return text;
}

} // namespace

PostgresServer* PostgresServer::get() {
    static std::once_flag once;
    std::call_once(once, [] {
        std::unique_ptr<PostgresServer> server(new PostgresServer());
        if (server->start(reason())) {
            instance() = std::move(server);
        }
    });
    return instance().get();
}

const std::string& PostgresServer::skipReason() {
    return reason();
}

bool PostgresServer::start(std::string& why) {
    m_bin = serverPrograms();
    if (m_bin.empty() || !driverInstalled()) {
        why = "PostgreSQL 或其 ODBC 驱动未安装（postgresql、odbc-postgresql），跳过";
        return false;
    }
    stopAbandoned(m_bin);
    // A short folder: a socket's path is limited to about 107 bytes.
    m_folder = makeTempDir(kFolderPrefix);
    std::ofstream(m_folder + "/owner") << getpid() << '\n';
    fs::permissions(m_folder, fs::perms::all, fs::perm_options::add);
    const std::string data = m_folder + "/data";
    if (!run(m_bin + "/initdb -D " + quotedArg(data) +
             " -U postgres -A trust -E UTF8 --locale=C.UTF-8 -N")) {
        why = "initdb 失败，跳过 PostgreSQL 测试";
        return false;
    }
    if (!run(startCommand("start"))) {
        why = "PostgreSQL 服务器未能启动，跳过（日志 " + m_folder + "/log）";
        return false;
    }
    m_running = true;
    return true;
}

std::string PostgresServer::startCommand(const std::string& action) const {
    return m_bin + "/pg_ctl -D " + quotedArg(m_folder + "/data") + " -w -l " +
           quotedArg(m_folder + "/log") + " -o " +
           quotedArg("-k " + m_folder + " -c listen_addresses='' -c fsync=off") + " " + action;
}

PostgresServer::~PostgresServer() {
    if (m_running) {
        run(m_bin + "/pg_ctl -D " + quotedArg(m_folder + "/data") + " -m fast -w stop");
    }
    std::error_code ec;
    fs::remove_all(m_folder, ec);
}

std::string PostgresServer::connectionString(const std::string& name) const {
    return std::string("DRIVER=") + kDriverLibrary + ";Servername=" + m_folder +
           ";Database=" + name + ";Username=postgres;CommLog=0;Debug=0";
}

std::string PostgresServer::connectionString(const std::string& name, int port) const {
    return std::string("DRIVER=") + kDriverLibrary +
           ";Servername=127.0.0.1;Port=" + std::to_string(port) + ";Database=" + name +
           ";Username=postgres;CommLog=0;Debug=0";
}

std::string PostgresServer::socketFile() const {
    return m_folder + "/.s.PGSQL.5432";
}

std::string PostgresServer::newDatabaseName() {
    const std::string name = "t" + std::to_string(++m_databases);
    store::odbc::Connection admin;
    admin.connect(connectionString("postgres"));
    admin.execute("CREATE DATABASE " + name + " ENCODING 'UTF8' TEMPLATE template0");
    return name;
}

std::string PostgresServer::newDatabase() {
    return connectionString(newDatabaseName());
}

bool PostgresServer::restart() {
    m_running = run(startCommand("-m fast restart"));
    return m_running;
}

} // namespace testsupport
