#include "store/ConnectTarget.h"

#include "store/TableWatch.h"

#include <filesystem>
#include <mutex>

namespace store {
namespace {

std::mutex g_mutex;
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

void useDatabaseFile(const std::string& databasePath, const std::string& shownAs) {
    {
        const std::lock_guard lock(g_mutex);
        g_databaseFile = databasePath;
        g_shownAs = shownAs.empty() ? databasePath : shownAs;
    }
    tablewatch::forgetAll(); // what was seen of another database says nothing of this one
}

void useDataSource() {
    {
        const std::lock_guard lock(g_mutex);
        g_databaseFile.clear();
        g_shownAs.clear();
    }
    tablewatch::forgetAll();
}

std::string databaseFile() {
    {
        const std::lock_guard lock(g_mutex);
        if (!g_databaseFile.empty()) {
            return g_databaseFile;
        }
    }
    std::error_code ec;
    return (std::filesystem::current_path(ec) / kProgramDatabase).string();
}

std::string databaseShownAs() {
    const std::lock_guard lock(g_mutex);
    return g_databaseFile.empty() ? kProgramDatabase : g_shownAs;
}

std::string resolveConnectString(std::string_view recordSetConnect) {
    {
        const std::lock_guard lock(g_mutex);
        if (!g_databaseFile.empty()) {
            return fileConnectionString(g_databaseFile);
        }
    }
    constexpr std::string_view prefix = "ODBC;";
    if (recordSetConnect.starts_with(prefix)) {
        recordSetConnect.remove_prefix(prefix.size());
    }
    return std::string(recordSetConnect);
}

} // namespace store
