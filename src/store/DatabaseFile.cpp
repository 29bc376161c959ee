#include "store/DatabaseFile.h"

#include "store/ConnectTarget.h"
#include "store/Odbc.h"
#include "store/Schema.h"

#include <filesystem>

namespace store {

void createDatabase(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        throw DbError("数据库文件已存在，不会覆盖: " + path);
    }
    odbc::Connection connection;
    // Without NoCreat the driver creates the missing file.
    connection.connect("DRIVER=" + std::string(kDriverName) + ";Database=" + path);
    schema::createAll(connection);
}

} // namespace store
