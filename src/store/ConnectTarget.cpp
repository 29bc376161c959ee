#include "store/ConnectTarget.h"

#include "store/DbError.h"
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
std::string g_refusal; // why the database file set above is never opened

constexpr char kHex[] = "0123456789ABCDEF";

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

std::string connectionStringFor(const std::string& databasePath, bool noCreate) {
    if (std::string refusal = pathRefusal(databasePath); !refusal.empty()) {
        throw DbError(refusal);
    }
    std::string s = "DRIVER=";
    s += kDriverName;
    s += ";Database=";
    s += databaseUri(databasePath);
    if (noCreate) {
        s += ";NoCreat=1";
    }
    s += ";Timeout=";
    s += std::to_string(kBusyTimeoutMs);
    return s;
}

} // namespace

std::string shownPath(std::string_view path) {
    std::string shown;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (!isControl(c)) {
            shown += ch;
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        }
    }
    return shown;
}

std::string pathRefusal(std::string_view path) {
    for (const char ch : path) {
        if (isControl(static_cast<unsigned char>(ch))) {
            return std::string(kControlCharacterRefusal) + shownPath(path);
        }
    }
    return {};
}

std::string databaseUri(std::string_view databasePath) {
    std::string uri = "file:";
    for (const char ch : databasePath) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_' ||
                           c == '~';
        if (plain) {
            uri += ch;
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri;
}

std::string fileConnectionString(const std::string& databasePath) {
    return connectionStringFor(databasePath, true);
}

std::string newFileConnectionString(const std::string& databasePath) {
    return connectionStringFor(databasePath, false);
}

namespace {

void useTarget(std::string connection, std::string file, std::string shownAs,
               std::string refusal = {}) {
    {
        const std::lock_guard lock(g_mutex);
        g_connection = std::move(connection);
        g_databaseFile = std::move(file);
        g_shownAs = std::move(shownAs);
        g_refusal = std::move(refusal);
    }
    tablewatch::forgetAll(); // what was seen of another database says nothing of this one
}

} // namespace

void useDatabaseFile(const std::string& databasePath, const std::string& shownAs) {
    std::string shown = shownAs.empty() ? shownPath(databasePath) : shownAs;
    if (std::string refusal = pathRefusal(databasePath); !refusal.empty()) {
        // never opened: not the data source either, whatever it points at
        useTarget("-", databasePath, std::move(shown), std::move(refusal));
        return;
    }
    useTarget(fileConnectionString(databasePath), databasePath, std::move(shown));
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
        if (!g_refusal.empty()) {
            throw DbError(g_refusal);
        }
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
