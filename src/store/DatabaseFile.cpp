#include "store/DatabaseFile.h"

#include "store/ConnectTarget.h"
#include "store/Odbc.h"
#include "store/Schema.h"
#include "store/SqlDialect.h"

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

void createTables(const std::string& connectionString) {
    odbc::Connection connection;
    connection.connect(connectionString);
    for (const TableDef* table : schema::allTables()) {
        bool present = true;
        try {
            connection.execute("SELECT 1 FROM " + sql::quoted(connection.engine(), table->name) +
                               " WHERE 1 = 0");
        } catch (const DbError&) {
            present = false;
        }
        if (present) {
            throw DbError("数据库中已有表 " + std::string(table->name) + "，不会覆盖");
        }
    }
    schema::createAll(connection);
}

} // namespace store
