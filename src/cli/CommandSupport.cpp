#include "cli/CommandSupport.h"

#include "core/SchoolNames.h"
#include "reports/DocumentFile.h"
#include "store/ConnectTarget.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include <sys/stat.h>

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

void addServerOptions(CLI::App& app, ServerOptions& options) {
    const auto add = [&app, &options](const char* name, std::string& value, const char* type,
                                      const char* about) {
        app.add_option(name, value, about)
            ->type_name(type)
            ->group("数据库")
            ->each([&options, name](const std::string&) { options.given.push_back(name); });
    };
    add("--dsn", options.dsn, "NAME", "用 ODBC 数据源 NAME 的数据库（口令留在 odbc.ini 中）");
    add("--connect", options.connect, "STRING", "用整个 ODBC 连接串所指的数据库");
    add("--connect-file", options.connectFile, "FILE",
        "从只有本人能读的文件 FILE 读连接串（口令不会出现在进程列表中）");
    for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
        addServerOptions(*sub, options);
    }
}

bool isServerOption(const std::string& problem) {
    for (const char* name : {"--dsn ", "--connect ", "--connect-file "}) {
        if (problem.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

namespace {

// The connection string of --connect-file, or nothing after saying on err why not.
std::optional<std::string> connectionFromFile(const std::string& path, std::ostream& err) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        (st.st_mode & (S_IRGRP | S_IROTH)) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        err << "tavlen-cli: 连接文件“" << path << "”别人也能读（权限 " << mode
            << "），连接串中的口令会泄露；请先执行 chmod 600 " << path << '\n';
        return std::nullopt;
    }
    std::string text;
    if (const std::string error = readInputFile(path, "连接文件", text, 64 * 1024);
        !error.empty()) {
        err << "tavlen-cli: " << error << '\n';
        return std::nullopt;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    if (text.empty() || text.find_first_of("\r\n") != std::string::npos) {
        err << "tavlen-cli: 连接文件“" << path << "”应只有一行连接串\n";
        return std::nullopt;
    }
    return text;
}

} // namespace

int chooseServer(const ServerOptions& options, std::ostream& err) {
    g_server.reset(); // each command names its own database
    if (options.given.empty()) {
        return 0;
    }
    for (const std::string& name : options.given) {
        if (name != options.given.front()) {
            err << "tavlen-cli: " << options.given.front() << " 与 " << name << " 只能给一个\n";
            return 2;
        }
    }
    const std::string& name = options.given.front();
    const std::string& value = name == "--dsn"       ? options.dsn
                               : name == "--connect" ? options.connect
                                                     : options.connectFile;
    if (value.empty() || options.given.size() > 1) {
        err << "tavlen-cli: 选项 " << name << (value.empty() ? " 缺少参数\n" : " 只能给一次\n");
        return 2;
    }
    if (name == "--dsn") {
        g_server = ServerDatabase{"DSN=" + value, "数据源 " + value};
        return 0;
    }
    const std::optional<std::string> connection =
        name == "--connect" ? std::optional<std::string>(value) : connectionFromFile(value, err);
    if (!connection) {
        return 1;
    }
    g_server = ServerDatabase{*connection, "数据库（" + withoutPassword(*connection) + "）"};
    return 0;
}

std::string readInputFile(const std::string& path, std::string_view what, std::string& bytes,
                          std::size_t limit) {
    if (std::string error = reports::readFile(path, bytes, what, limit + 1); !error.empty()) {
        return error;
    }
    if (bytes.size() > limit) {
        bytes.clear();
        return std::string(what) + "“" + path + "”超过 " +
               std::to_string(limit >> 20 ? limit >> 20 : limit) +
               (limit >> 20 ? " MiB" : " 字节") + "，没有读取。";
    }
    return {};
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

std::optional<double> parseSeconds(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != text.npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(value > 0) || value > 86400) {
        return std::nullopt;
    }
    return value;
}

std::string secondsText(double seconds) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", seconds);
    return buffer;
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
