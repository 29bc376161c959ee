#include "store/DbMessages.h"

#include "store/ConnectTarget.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace store {
namespace {

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
    if (const std::string missing = nameAfter(driverText, "no such table: "); !missing.empty()) {
        return shown + " 不是本程序的数据库（缺少表 " + missing + "）";
    }
    std::string column = nameAfter(driverText, "no such column: ");
    if (column.empty()) {
        column = nameAfter(driverText, "has no column named ");
    }
    if (!column.empty()) {
        return shown + " 不是本程序的数据库（表 " + std::string(table) + " 缺少列 " + column + "）";
    }
    if (says(driverText, "file is not a database")) {
        return shown + " 不是本程序的数据库（不是数据库文件）";
    }
    if (says(driverText, "readonly database") || says(driverText, "connect failed") ||
        says(driverText, "unable to open database")) {
        if (const std::string problem = accessProblem(); !problem.empty()) {
            return problem;
        }
    }
    return driverText;
}

} // namespace store
