#include "cli/CommandSupport.h"

#include "core/SchoolNames.h"
#include "store/ConnectTarget.h"

#include <filesystem>
#include <ostream>

namespace cli {

bool useWorkingDatabase(std::ostream& err) {
    const std::filesystem::path database = std::filesystem::path("tavlen") / "tavlen.mdb";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(database, ec)) {
        if (ec == std::errc::permission_denied) {
            err << "没有权限访问 " << kDatabasePath << "：" << ec.message() << '\n';
        } else {
            err << "找不到数据库 " << kDatabasePath << '\n';
        }
        return false;
    }
    store::useDatabaseFile(std::filesystem::absolute(database).string(), database.string());
    return true;
}

std::optional<int> parseGrade(const std::string& text) {
    if (const auto g = school::gradeIndex(text)) {
        return g;
    }
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '6') {
        return text[0] - '1';
    }
    return std::nullopt;
}

void writeIgnoredRows(std::ostream& out, const std::vector<std::string>& rows) {
    if (rows.empty()) {
        return;
    }
    out << "忽略 " << rows.size() << " 条无效记录：";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out << (i == 0 ? "" : "；") << rows[i];
    }
    out << '\n';
}

} // namespace cli
