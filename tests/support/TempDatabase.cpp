#include "TempDatabase.h"

#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"
#include "store/Odbc.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace testsupport {

std::string makeTempDir(const std::string& prefix) {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::string pattern = (base / (prefix + "XXXXXX")).string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    return std::string(buf.data());
}

TempDatabase::TempDatabase() : m_workingDir(makeTempDir("tavlen-test-")) {
    std::filesystem::create_directories(m_workingDir + "/tavlen");
    m_databasePath = m_workingDir + "/tavlen/tavlen.mdb";
    store::createDatabase(m_databasePath);
    store::useDatabaseFile(m_databasePath);
}

TempDatabase::~TempDatabase() {
    store::useDataSource();
    std::error_code ec;
    std::filesystem::remove_all(m_workingDir, ec);
}

void TempDatabase::execute(const std::string& sql) const {
    store::odbc::Connection connection;
    connection.connect(store::fileConnectionString(m_databasePath));
    connection.execute(sql);
}

} // namespace testsupport
