#include "overview/DatabaseInUse.h"

#include "store/ConnectTarget.h"
#include "store/DbError.h"
#include "store/Odbc.h"
#include "store/RecordSet.h"

#include <array>
#include <filesystem>

namespace overview {
namespace {

std::string info(store::odbc::Connection& connection, SQLUSMALLINT what) {
    std::array<char, 256> text{};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetInfo(connection.handle(), what, text.data(),
                                    static_cast<SQLSMALLINT>(text.size()), &length);
    return SQL_SUCCEEDED(rc) ? std::string(text.data()) : std::string();
}

} // namespace

std::string databaseInUse() {
    if (const std::string file = store::databaseFile(); !file.empty()) {
        std::error_code ec;
        const std::filesystem::path whole = std::filesystem::absolute(file, ec);
        return "数据库文件 " + store::shownPath(ec ? file : whole.lexically_normal().string());
    }
    const std::string shownAs = store::databaseShownAs();
    try {
        store::odbc::Connection connection;
        connection.connect(store::resolveConnectString(store::kConnectLower));
        std::string text = info(connection, SQL_DBMS_NAME);
        const std::string server = info(connection, SQL_SERVER_NAME);
        const std::string database = info(connection, SQL_DATABASE_NAME);
        text += text.empty() ? "服务器" : " 服务器";
        if (!server.empty()) {
            text += " " + server;
        }
        if (!database.empty()) {
            text += "，数据库 " + database;
        }
        return text + "（" + shownAs + "）";
    } catch (const store::DbError& error) {
        return shownAs + "（无法连接：" + error.what() + "）";
    }
}

} // namespace overview
