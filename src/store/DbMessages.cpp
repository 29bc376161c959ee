#include "store/DbMessages.h"

#include "store/ConnectTarget.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace store {
namespace {

// The name between double quotes after `marker` in a server's text
// ('relation "gradeclass" does not exist'), or empty.
std::string quotedNameAfter(const std::string& text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t begin = at + marker.size();
    const std::size_t end = text.find('"', begin);
    return end == std::string::npos ? std::string() : text.substr(begin, end - begin);
}

// The name after `marker` in the driver's text ("no such table: gradeclass (1)"), or empty.
std::string nameAfter(const std::string& text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::string::npos) {
        return {};
    }
    std::size_t begin = at + marker.size();
    std::size_t end = begin;
    while (end < text.size() && text[end] != ' ' && text[end] != '\n' && text[end] != ')') {
        ++end;
    }
    std::string name = text.substr(begin, end - begin);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {
        name = name.substr(dot + 1); // "main.gradeclass"
    }
    return name;
}

bool says(const std::string& text, std::string_view what) {
    return text.find(what) != std::string::npos;
}

// Why the database file cannot be opened, when the file system says so.
std::string accessProblem() {
    namespace fs = std::filesystem;
    const fs::path file = databaseFile();
    if (file.empty()) { // a server database: the file system has nothing to say
        return {};
    }
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    if (access(folder.c_str(), X_OK) != 0 && errno == EACCES) {
        return "没有权限访问文件夹 " + folder.string() + "（数据库 " + databaseShownAs() + "）";
    }
    if (access(file.c_str(), F_OK) != 0) {
        return errno == ENOENT ? "找不到数据库 " + databaseShownAs() : std::string();
    }
    if (access(file.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        return "没有权限读写数据库文件 " + file.string();
    }
    if (access(file.c_str(), W_OK) != 0 && errno == EROFS) {
        return "数据库文件所在的文件系统只能读，不能写入：" + file.string();
    }
    if (access(folder.c_str(), W_OK) != 0 && errno == EACCES) {
        return "没有权限写入文件夹 " + folder.string() + "（数据库 " + databaseShownAs() + "）";
    }
    return {};
}

} // namespace

std::string explainedError(const std::string& driverText, std::string_view table) {
    const std::string plain = plainError(driverText, table);
    // the driver's own words stay on a line of their own, for whoever looks into it
    return plain == driverText ? driverText : plain + "\n" + driverText;
}

std::string plainError(const std::string& driverText, std::string_view table) {
    const std::string shown = databaseShownAs();
    // a table or column another program holds locked (SQLite), a lock not granted in time
    // (a server)
    if (says(driverText, "database is locked") || says(driverText, "lock timeout") ||
        says(driverText, "database table is locked")) {
        return std::string(kBusyMessage);
    }
    std::string missing = nameAfter(driverText, "no such table: ");
    if (missing.empty() && says(driverText, "\" does not exist")) {
        missing = quotedNameAfter(driverText, "relation \"");
    }
    if (!missing.empty()) {
        return shown + " 不是本程序的数据库（缺少表 " + missing + "）";
    }
    std::string column = nameAfter(driverText, "no such column: ");
    if (column.empty()) {
        column = nameAfter(driverText, "has no column named ");
    }
    if (column.empty() && says(driverText, "\" does not exist")) {
        column = quotedNameAfter(driverText, "column \"");
        if (const std::size_t dot = column.rfind('.'); dot != std::string::npos) {
            column = column.substr(dot + 1);
        }
    }
    if (!column.empty()) {
        return shown + " 不是本程序的数据库（表 " + std::string(table) + " 缺少列 " + column + "）";
    }
    if (says(driverText, "file is not a database")) {
        return shown + " 不是本程序的数据库（不是数据库文件）";
    }
    // the server's own words for a log-in, a connection and a write it refused
    if (says(driverText, "password authentication failed") ||
        (says(driverText, "role \"") && says(driverText, "\" does not exist")) ||
        says(driverText, "no password supplied") || says(driverText, "authentication failed")) {
        return "无法登录数据库服务器 " + shown + "：密码或用户名不对";
    }
    if (const std::string name = quotedNameAfter(driverText, "database \"");
        !name.empty() && says(driverText, "\" does not exist")) {
        return "数据库服务器上没有数据库 " + name + "（" + shown + "）";
    }
    if (says(driverText, "could not connect to server") || says(driverText, "Connection refused") ||
        says(driverText, "connection to server") ||
        says(driverText, "could not translate host name") ||
        says(driverText, "server closed the connection") ||
        says(driverText, "no connection to the server") || says(driverText, "timeout expired")) {
        return "无法连接数据库服务器 " + shown + "：服务器没有运行，或地址、端口不对";
    }
    if (says(driverText, "Data source name not found")) {
        return "找不到数据源 " + shown + "（ODBC 设置中没有这个数据源）";
    }
    if (says(driverText, "Can't open lib")) {
        return "无法打开数据库 " + shown + "：没有安装所需的 ODBC 驱动程序";
    }
    if (says(driverText, "read-only transaction") || says(driverText, "read-only file system") ||
        says(driverText, "Read-only file system")) {
        return "数据库 " + shown + " 只能读，不能写入";
    }
    if (says(driverText, "database or disk is full") ||
        says(driverText, "No space left on device") || says(driverText, "disk full")) {
        return "磁盘已满，无法写入数据库 " + shown;
    }
    if (says(driverText, "readonly database") || says(driverText, "connect failed") ||
        says(driverText, "unable to open database")) {
        if (const std::string problem = accessProblem(); !problem.empty()) {
            return problem;
        }
        if (says(driverText, "readonly database")) {
            return "数据库 " + shown + " 只能读，不能写入";
        }
    }
    return driverText;
}

} // namespace store
