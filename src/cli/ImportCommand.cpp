#include "cli/ImportCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "exchange/ImportWrite.h"
#include "exchange/WorkbookReader.h"
#include "store/DbError.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kPrefix = "tavlen-cli import: ";

struct ImportGiven {
    std::vector<std::string> files;
    bool merge = false;
    bool dryRun = false;
};

} // namespace

std::string importUsage() {
    return "usage: tavlen-cli import FILE.xlsx|FILE.csv... [--merge] [--dry-run]\n"
           "  工作表：课程 教师 班级 年段课程 课务分工 教师不排 统一课程 资源（.csv "
           "以文件名为表名）\n";
}

int importRead(const exchange::Workbook& workbook, exchange::ImportMode mode, bool dryRun,
               std::ostream& out, std::ostream& err) {
    try {
        const exchange::ImportPlan plan = exchange::importWorkbook(workbook, mode, !dryRun);
        for (const std::string& line : exchange::previewLines(plan)) {
            out << line << '\n';
        }
        if (plan.hasErrors()) {
            err << kPrefix << "有错误，没有导入任何数据\n";
            return 1;
        }
        out << (dryRun ? "试运行：没有写入数据库\n" : "已导入\n");
        return 0;
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
}

Run defineImport(CLI::App& command) {
    const auto given = std::make_shared<ImportGiven>();
    command.add_option("files", given->files, "工作簿 .xlsx 或 .csv 文件（可多个）")
        ->type_name("FILE");
    command.add_flag("--merge", given->merge, "合并：按键新增或更新行（默认替换所含工作表的表）");
    command.add_flag("--dry-run", given->dryRun, "只检查并列出将做的修改，不写入");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "import")) {
            return 2;
        }
        if (given->files.empty()) {
            return usageError(err, "import", "缺少工作簿文件");
        }
        if (!useWorkingDatabase(err)) {
            return 1;
        }
        exchange::Workbook workbook;
        try {
            const std::vector<std::filesystem::path> paths(given->files.begin(),
                                                           given->files.end());
            workbook = exchange::readWorkbooks(paths);
        } catch (const exchange::ReadError& e) {
            err << kPrefix << e.what() << '\n';
            return 1;
        }
        return importRead(
            workbook, given->merge ? exchange::ImportMode::Merge : exchange::ImportMode::Replace,
            given->dryRun, out, err);
    };
}

} // namespace cli
