#include "cli/CommandSupport.h"

#include "core/SchoolNames.h"
#include "store/ConnectTarget.h"

#include <cctype>
#include <filesystem>
#include <ostream>

namespace cli {
namespace {

std::optional<ServerDatabase> g_server;

// The connection string with the value of a password key replaced by ***.
std::string withoutPassword(const std::string& connection) {
    std::string shown;
    std::size_t start = 0;
    while (start <= connection.size()) {
        std::size_t end = connection.find(';', start);
        if (end == std::string::npos) {
            end = connection.size();
        }
        std::string part = connection.substr(start, end - start);
        const std::size_t equals = part.find('=');
        std::string key = part.substr(0, equals);
        for (char& c : key) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (equals != std::string::npos && (key == "PWD" || key == "PASSWORD")) {
            part = part.substr(0, equals + 1) + "***";
        }
        shown += (start == 0 ? "" : ";") + part;
        start = end + 1;
    }
    return shown;
}

} // namespace

bool takeServerOption(Args& args, std::ostream& err) {
    g_server.reset(); // each command names its own database
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--dsn" && args[i] != "--connect") {
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            err << "tavlen-cli: 选项 " << args[i] << " 缺少参数\n";
            return false;
        }
        if (g_server) {
            err << "tavlen-cli: --dsn 与 --connect 只能给一个\n";
            return false;
        }
        const std::string value = args[i + 1];
        g_server = args[i] == "--dsn"
                       ? ServerDatabase{"DSN=" + value, "数据源 " + value}
                       : ServerDatabase{value, "数据库（" + withoutPassword(value) + "）"};
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

const std::optional<ServerDatabase>& serverDatabase() {
    return g_server;
}

bool useWorkingDatabase(std::ostream& err) {
    if (g_server) {
        store::useConnection(g_server->connection, g_server->shownAs);
        return true;
    }
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
    const std::string path = std::filesystem::absolute(database).string();
    if (const std::string refusal = store::pathRefusal(path); !refusal.empty()) {
        err << refusal << '\n';
        return false;
    }
    store::useDatabaseFile(path, database.string());
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
