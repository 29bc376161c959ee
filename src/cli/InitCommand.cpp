#include "cli/InitCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"

#include <CLI/CLI.hpp>

#include "cli/DemoSchool.h"
#include "core/TemplateFolder.h"
#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"
#include "store/DbError.h"
#include "store/DbMessages.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <signal.h>
#include <unistd.h>

namespace cli {
namespace fs = std::filesystem;

namespace {

// The regular files of the template folder, by name; none when it is missing.
std::vector<fs::path> templateFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return files;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec)) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Copies the templates into the data directory. A file of the same name that is already
// there is kept: it may be a template the school has adapted.
bool installTemplates(const fs::path& dataDir, std::ostream& out, std::ostream& err) {
    const fs::path folder = core::templateFolder();
    int copied = 0;
    for (const fs::path& source : templateFiles(folder)) {
        const fs::path target = dataDir / source.filename();
        std::error_code ec;
        if (fs::exists(target, ec)) {
            out << "保留已有的 " << target.string() << '\n';
            continue;
        }
        fs::copy_file(source, target, ec);
        if (ec) {
            err << "tavlen-cli init: 无法复制报表模板 " << source.string() << ": " << ec.message()
                << '\n';
            return false;
        }
        ++copied;
    }
    if (copied > 0) {
        out << "已复制 " << copied << " 个报表模板到 " << dataDir.string() << '\n';
    }
    return true;
}

// The database is built under a name of its own beside the target and only then linked
// into place, so a run that is killed or fails never leaves a half-filled school behind.
constexpr std::string_view kBuildPrefix = ".tavlen.mdb.init-";

fs::path buildPath(const fs::path& dataDir) {
    std::random_device random;
    return dataDir / (std::string(kBuildPrefix) + std::to_string(getpid()) + "-" +
                      std::to_string(random() % 1000000));
}

// Removes what earlier runs that were killed left behind (their process is gone).
void removeAbandonedBuilds(const fs::path& dataDir) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dataDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kBuildPrefix)) {
            continue;
        }
        const long pid = std::strtol(name.c_str() + kBuildPrefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

// Puts the finished database in place; never over a database that appeared meanwhile.
bool putInPlace(const fs::path& built, const fs::path& database, std::ostream& err) {
    if (link(built.c_str(), database.c_str()) != 0) {
        const int error = errno;
        err << "tavlen-cli init: "
            << (error == EEXIST ? "数据库已存在: " + database.string() + "，未作任何改动"
                                : "无法创建 " + database.string() + ": " + std::strerror(error))
            << '\n';
        return false;
    }
    std::error_code ignored;
    fs::remove(built, ignored);
    return true;
}

// Fills the demo school into the database the record sets use now.
bool fillDemoSchool(std::ostream& out, std::ostream& err) {
    try {
        const DemoSchool school = makeDemoSchool();
        storeDemoSchool(school);
        int classes = 0;
        for (const auto& row : school.gradeclass) {
            classes += row.classes;
        }
        out << "已填入示范学校：" << school.gradeclass.size() << " 个年段，" << classes << " 个班，"
            << school.coursename.size() << " 门课程，" << school.teachername.size() << " 位教师\n";
        return true;
    } catch (const std::exception& e) {
        err << "tavlen-cli init: 无法填入示范学校: " << e.what() << '\n';
        return false;
    }
}

// Removes a database built under its own name, and what SQLite kept beside it.
void discardBuild(const fs::path& built) {
    store::useDataSource();
    std::error_code ignored;
    fs::remove(built, ignored);
    fs::remove(built.string() + "-journal", ignored);
}

// The sixteen tables in an empty server database, the templates in DIR/tavlen as for a file.
// The demo school is first built in a database file of its own beside the templates, then
// copied with the tables in one transaction, so a run killed half-way leaves the server as it
// was.
int initServer(const ServerDatabase& server, const fs::path& dataDir, bool demo, std::ostream& out,
               std::ostream& err) {
    std::error_code ec;
    fs::create_directories(dataDir, ec);
    if (ec) {
        err << "tavlen-cli init: 无法创建目录 " << dataDir.string() << ": " << ec.message() << '\n';
        return 1;
    }
    if (!installTemplates(dataDir, out, err)) {
        return 1;
    }
    fs::path built;
    if (demo) {
        removeAbandonedBuilds(dataDir);
        built = buildPath(dataDir);
        try {
            store::createDatabase(built.string());
        } catch (const store::DbError& e) {
            err << "tavlen-cli init: 无法创建数据库: " << e.what() << '\n';
            discardBuild(built);
            return 1;
        }
        store::useDatabaseFile(built.string());
        const bool filled = fillDemoSchool(out, err);
        store::useDataSource();
        if (!filled) {
            discardBuild(built);
            return 1;
        }
    }
    try {
        store::createTables(server.connection, built.string());
    } catch (const store::DbError& e) {
        err << "tavlen-cli init: 无法在 " << server.shownAs
            << " 中建表: " << store::explainedError(e.what(), {}) << '\n';
        if (demo) {
            discardBuild(built);
        }
        return 1;
    }
    if (demo) {
        discardBuild(built);
    }
    out << "已在 " << server.shownAs << " 中创建 16 张表和学校设置表 setting\n";
    store::useConnection(server.connection, server.shownAs);
    return 0;
}

} // namespace

std::string initUsage() {
    return "usage: tavlen-cli init DIR [--demo] [--dsn NAME | --connect STRING | "
           "--connect-file FILE]\n";
}

int initSchool(const std::string& dir, bool demo, std::ostream& out, std::ostream& err) {
    const fs::path dataDir = fs::absolute(fs::path(dir)) / "tavlen";
    if (const std::string refusal = store::pathRefusal(dataDir.string()); !refusal.empty()) {
        err << "tavlen-cli init: " << refusal << '\n';
        return 1;
    }
    if (serverDatabase()) {
        return initServer(*serverDatabase(), dataDir, demo, out, err);
    }
    const fs::path database = dataDir / "tavlen.mdb";
    std::error_code ec;
    const bool exists = fs::exists(database, ec);
    if (ec) {
        err << "tavlen-cli init: 无法访问 " << database.string() << ": " << ec.message() << '\n';
        return 1;
    }
    if (exists) {
        err << "tavlen-cli init: 数据库已存在: " << database.string() << "，未作任何改动\n";
        return 1;
    }
    fs::create_directories(dataDir, ec);
    if (ec) {
        err << "tavlen-cli init: 无法创建目录 " << dataDir.string() << ": " << ec.message() << '\n';
        return 1;
    }
    removeAbandonedBuilds(dataDir);
    if (!installTemplates(dataDir, out, err)) {
        return 1;
    }
    const fs::path built = buildPath(dataDir);
    const auto discard = [&built] { discardBuild(built); };
    try {
        store::createDatabase(built.string());
    } catch (const store::DbError& e) {
        err << "tavlen-cli init: 无法创建数据库: " << e.what() << '\n';
        discard();
        return 1;
    }
    if (demo) {
        store::useDatabaseFile(built.string());
    }
    if (demo && !fillDemoSchool(out, err)) {
        discard();
        return 1;
    }
    store::useDataSource();
    if (!putInPlace(built, database, err)) {
        discard();
        return 1;
    }
    out << "已创建数据库 " << database.string() << "（16 张表和学校设置表 setting）\n";
    return 0;
}

Run defineInit(CLI::App& command) {
    struct Options {
        std::string dir;
        bool demo = false;
    };
    const auto options = std::make_shared<Options>();
    addText(command, "DIR", options->dir, "DIR", "学校的文件夹：在其中建立 tavlen/ 和数据库");
    command.add_flag("--demo", options->demo, "填入示范学校（六个年段、教师、课程和出勤）");
    return [options](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "init")) {
            return 2;
        }
        if (options->dir.empty()) {
            return usageError(err, "init", "缺少文件夹 DIR");
        }
        return initSchool(options->dir, options->demo, out, err);
    };
}

} // namespace cli
