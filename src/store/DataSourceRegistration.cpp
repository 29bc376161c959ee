#include "store/DataSourceRegistration.h"

#include "store/ConnectTarget.h"

#include <array>
#include <odbcinst.h>

namespace store {
namespace {

std::string installerError() {
    std::string text;
    for (WORD i = 1; i <= 8; ++i) {
        DWORD code = 0;
        std::array<char, 512> message{};
        WORD length = 0;
        const RETCODE rc =
            SQLInstallerError(i, &code, message.data(), static_cast<WORD>(message.size()), &length);
        if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
            break;
        }
        if (!text.empty()) {
            text += '\n';
        }
        text += message.data();
    }
    return text.empty() ? std::string("the ODBC installer refused the data source") : text;
}

bool writeKey(const char* key, const std::string& value) {
    return SQLWritePrivateProfileString(kDataSourceName, key, value.c_str(), "ODBC.INI") != 0;
}

// Writes the whole data source in the installer's current mode.
bool writeDataSource(const std::string& workingDir) {
    if (!SQLWriteDSNToIni(kDataSourceName, std::string(kDriverName).c_str())) {
        return false;
    }
    return writeKey("Description", "tavlen school timetable database") &&
           writeKey("Database", databasePath(workingDir)) &&
           writeKey("DefaultDir", dataDirectory(workingDir)) && writeKey("NoCreat", "1") &&
           writeKey("Timeout", std::to_string(kBusyTimeoutMs));
}

// The driver the data source names in the installer's current mode; empty when there is none.
std::string registeredDriver() {
    std::array<char, 256> value{};
    const int n = SQLGetPrivateProfileString(kDataSourceName, "Driver", "", value.data(),
                                             static_cast<int>(value.size()), "ODBC.INI");
    return n > 0 ? std::string(value.data()) : std::string();
}

bool userDataSourceExists() {
    return !registeredDriver().empty();
}

// A data source of another driver (a database server an administrator set up) is not ours
// to re-point. The SQLite3 driver may be named by its entry or by its library.
bool otherDriver(const std::string& driver) {
    return !driver.empty() && driver != kDriverName &&
           driver.find("sqlite3odbc") == std::string::npos;
}

} // namespace

std::string dataDirectory(const std::string& workingDir) {
    return workingDir + "/tavlen";
}

std::string databasePath(const std::string& workingDir) {
    return workingDir + "/tavlen/tavlen.mdb";
}

RegistrationResult registerDataSource(const std::string& workingDir) {
    RegistrationResult result;
    for (const UWORD mode : {UWORD{ODBC_USER_DSN}, UWORD{ODBC_SYSTEM_DSN}}) {
        SQLSetConfigMode(mode);
        if (otherDriver(registeredDriver())) {
            SQLSetConfigMode(ODBC_BOTH_DSN);
            result.ok = true;
            result.leftAlone = true;
            return result;
        }
    }
    SQLSetConfigMode(ODBC_BOTH_DSN);
    // A line break would end the value and start a key or a section of odbc.ini's own.
    if (std::string refusal = pathRefusal(databasePath(workingDir)); !refusal.empty()) {
        result.error = std::move(refusal);
        return result;
    }
    SQLSetConfigMode(ODBC_SYSTEM_DSN);
    result.system = writeDataSource(workingDir);
    std::string systemError;
    if (!result.system) {
        systemError = installerError();
    }
    SQLSetConfigMode(ODBC_USER_DSN);
    if (!result.system || userDataSourceExists()) {
        result.user = writeDataSource(workingDir);
    }
    SQLSetConfigMode(ODBC_BOTH_DSN);
    result.ok = result.system || result.user;
    if (!result.ok) {
        result.error = systemError.empty() ? installerError() : systemError;
    }
    return result;
}

RegistrationResult registerForThisRun(const std::string& workingDir) {
    RegistrationResult result = registerDataSource(workingDir);
    if (result.leftAlone) {
        // The administrator's server: the record sets reach it through the data source.
        useConnection(std::string("DSN=") + kDataSourceName,
                      std::string("数据源 ") + kDataSourceName);
    } else {
        useDatabaseFile(databasePath(workingDir), kProgramDatabase);
    }
    return result;
}

} // namespace store
