// The driver's texts of a server or a file that refuses, as psqlODBC and the SQLite3 driver
// give them, said in Chinese naming the database, the driver's text kept on its own line.
#include "store/DbMessages.h"
#include "store/ConnectTarget.h"

#include <gtest/gtest.h>

namespace {

TEST(DbMessages, ServerAndFileFailuresAreSaidPlainly) {
    store::useConnection("DSN=TAVLEN", "数据源 TAVLEN");
    const struct {
        const char* driverText;
        const char* table;
        const char* plain;
    } cases[] = {
        {"FATAL:  password authentication failed for user \"office\"", "",
         "无法登录数据库服务器 数据源 TAVLEN：密码或用户名不对"},
        {"FATAL:  role \"nobody\" does not exist", "",
         "无法登录数据库服务器 数据源 TAVLEN：密码或用户名不对"},
        {"could not connect to server: Connection refused\n\tIs the server running on host "
         "\"db\" (10.0.0.5) and accepting\n\tTCP/IP connections on port 5432?",
         "", "无法连接数据库服务器 数据源 TAVLEN：服务器没有运行，或地址、端口不对"},
        {"FATAL:  database \"tavlen\" does not exist", "",
         "数据库服务器上没有数据库 tavlen（数据源 TAVLEN）"},
        {"ERROR: relation \"gradeclass\" does not exist;\nError while executing the query",
         "gradeclass", "数据源 TAVLEN 不是本程序的数据库（缺少表 gradeclass）"},
        {"ERROR: column \"周课时\" does not exist;\nError while executing the query", "classcourse",
         "数据源 TAVLEN 不是本程序的数据库（表 classcourse 缺少列 周课时）"},
        {"ERROR: canceling statement due to lock timeout;\nError while executing the query",
         "gradelesson", "数据库正被其他程序使用，请稍后再试。"},
        {"[SQLite]database is locked (5)", "gradelesson", "数据库正被其他程序使用，请稍后再试。"},
        {"ERROR: cannot execute INSERT in a read-only transaction;\nError while executing the "
         "query",
         "gradelesson", "数据库 数据源 TAVLEN 只能读，不能写入"},
        {"ERROR: could not extend file \"base/16384/16390\": No space left on device",
         "gradelesson", "磁盘已满，无法写入数据库 数据源 TAVLEN"},
        {"[SQLite]database or disk is full (13)", "gradelesson",
         "磁盘已满，无法写入数据库 数据源 TAVLEN"},
        {"[unixODBC][Driver Manager]Data source name not found and no default driver specified", "",
         "找不到数据源 数据源 TAVLEN（ODBC 设置中没有这个数据源）"},
        {"ERROR: syntax error at or near \"x\"", "", "ERROR: syntax error at or near \"x\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store::plainError(c.driverText, c.table), c.plain) << c.driverText;
        const std::string explained = store::explainedError(c.driverText, c.table);
        if (std::string(c.plain) != c.driverText) {
            EXPECT_EQ(explained, std::string(c.plain) + "\n" + c.driverText);
        } else {
            EXPECT_EQ(explained, c.driverText);
        }
    }
    store::useDataSource();
}

} // namespace
