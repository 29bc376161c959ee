#include "store/ConnectTarget.h"

#include "store/TableWatch.h"

#include <filesystem>
#include <mutex>
#include <utility>

namespace store {
namespace {

std::mutex g_mutex;
std::string g_connection; // set for a database file or a server database
std::string g_databaseFile;
std::string g_shownAs;

} // namespace

std::string fileConnectionString(const std::string& databasePath) {
    std::string s = "DRIVER=";
    s += kDriverName;
    s += ";Database=";
    s += databasePath;
    s += ";NoCreat=1;Timeout=";
    s += std::to_string(kBusyTimeoutMs);
    return s;
}

namespace {

void useTarget(std::string connection, std::string file, std::string shownAs) {
    {
        const std::lock_guard lock(g_mutex);
        g_connection = std::move(connection);
        g_databaseFile = std::move(file);
        g_shownAs = std::move(shownAs);
    }
    tablewatch::forgetAll(); // what was seen of another database says nothing of this one
}

} // namespace

void useDatabaseFile(const std::string& databasePath, const std::string& shownAs) {
    useTarget(fileConnectionString(databasePath), databasePath,
              shownAs.empty() ? databasePath : shownAs);
}

void useConnection(const std::string& connectionString, const std::string& shownAs) {
    useTarget(connectionString, {}, shownAs);
}

void useDataSource() {
    useTarget({}, {}, {});
}

std::string databaseFile() {
    {
        const std::lock_guard lock(g_mutex);
        if (!g_connection.empty()) {
            return g_databaseFile;
        }
    }
    std::error_code ec;
    return (std::filesystem::current_path(ec) / kProgramDatabase).string();
}

std::string databaseShownAs() {
    const std::lock_guard lock(g_mutex);
    return g_connection.empty() ? kProgramDatabase : g_shownAs;
}

std::string resolveConnectString(std::string_view recordSetConnect) {
    {
        const std::lock_guard lock(g_mutex);
        if (!g_connection.empty()) {
            return g_connection;
        }
    }
    constexpr std::string_view prefix = "ODBC;";
    if (recordSetConnect.starts_with(prefix)) {
        recordSetConnect.remove_prefix(prefix.size());
    }
    return std::string(recordSetConnect);
}

} // namespace store
