// tavlen-cli import and export workbook: the demo school out and back into an empty database,
// the preview naming exactly what a changed workbook changes, refusals that write nothing,
// and the command lines refused.
#include "CliTestSupport.h"

#include "cli/ImportCommand.h"
#include "exchange/SchoolTables.h"
#include "exchange/WorkbookWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using clitest::readFile;
using clitest::runCli;

struct Imported {
    int code = 0;
    std::string out;
    std::string err;
};

Imported importInto(const exchange::Workbook& workbook, exchange::ImportMode mode, bool dryRun) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::importRead(workbook, mode, dryRun, out, err);
    return {code, out.str(), err.str()};
}

// Makes an empty school beside the demo one and points the record sets at it.
void useEmptySchool(const clitest::TempDir& dir) {
    const fs::path empty = dir / "empty";
    ASSERT_EQ(runCli({"init", empty.string()}).code, 0);
    store::useDatabaseFile((empty / "tavlen" / "tavlen.mdb").string());
}

std::vector<std::string> rowLines(const std::string& out, const std::string& start) {
    std::vector<std::string> found;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(start)) {
            found.push_back(line);
        }
    }
    return found;
}

using ImportCommand = clitest::DemoSchoolDir;

} // namespace

TEST_F(ImportCommand, DemoSchoolGoesOutAndBackIntoAnEmptyDatabaseUnchanged) {
    const exchange::SchoolTables demo = exchange::readSchoolTables();
    const exchange::Workbook workbook = exchange::schoolWorkbook(demo);
    useEmptySchool(m_dir);
    const Imported dry = importInto(workbook, exchange::ImportMode::Replace, true);
    EXPECT_EQ(dry.code, 0) << dry.err;
    EXPECT_NE(dry.out.find("试运行：没有写入数据库"), std::string::npos);
    EXPECT_EQ(exchange::readSchoolTables(), exchange::SchoolTables{});

    const Imported done = importInto(workbook, exchange::ImportMode::Replace, false);
    EXPECT_EQ(done.code, 0) << done.err;
    EXPECT_NE(done.out.find("工作表“课务分工”（classcourse）：新增 " +
                            std::to_string(demo.classcourse.size()) + " 行，修改 0 行，删除 0 行"),
              std::string::npos);
    EXPECT_EQ(exchange::readSchoolTables(), demo);
    // the imported school is one the rest of the program works on
    clitest::ScopedCwd cwd(m_dir / "empty");
    EXPECT_EQ(runCli({"show"}).code, 0);
    EXPECT_EQ(runCli({"arrange", "all"}).code, 0);
    const clitest::Result optimised = runCli({"arrange", "all", "--optimise", "--time-limit", "5"});
    EXPECT_EQ(optimised.code, 0) << optimised.err;
}

TEST_F(ImportCommand, PreviewNamesExactlyTheChangesOfAnEditedWorkbook) {
    const exchange::SchoolTables demo = exchange::readSchoolTables();
    exchange::Workbook workbook = exchange::schoolWorkbook(demo);
    auto& plans = *std::find_if(workbook.sheets.begin(), workbook.sheets.end(),
                                [](const auto& s) { return s.name == "课务分工"; });
    // two teachers and one count: rows 2 and 3 swap teachers, row 4 gets one lesson more
    std::swap(plans.rows[1][2], plans.rows[2][2]);
    plans.rows[3][3] = std::to_string(std::stoi(plans.rows[3][3]) + 1);
    const Imported dry = importInto(workbook, exchange::ImportMode::Replace, true);
    ASSERT_EQ(dry.code, 0) << dry.err;
    EXPECT_EQ(rowLines(dry.out, "  ").size(), 3u) << dry.out;
    EXPECT_EQ(rowLines(dry.out, "  修改 ").size(), 3u);
    EXPECT_EQ(exchange::readSchoolTables(), demo);

    ASSERT_EQ(importInto(workbook, exchange::ImportMode::Merge, false).code, 0);
    const exchange::SchoolTables after = exchange::readSchoolTables();
    EXPECT_EQ(after.classcourse[0].teacher, demo.classcourse[1].teacher);
    EXPECT_EQ(after.classcourse[2].weekly, demo.classcourse[2].weekly + 1);
    EXPECT_EQ(after.teachername, demo.teachername);
}

TEST_F(ImportCommand, ErrorsAreNamedAndNothingIsWritten) {
    const exchange::SchoolTables demo = exchange::readSchoolTables();
    exchange::Workbook workbook;
    workbook.sheets.push_back({"教师", false, {{"姓名", "学科"}, {"欧阳青青青青", "语文"}}, {}});
    workbook.sheets.push_back({"课务分工",
                               false,
                               {{"班级", "学科", "教师", "周课时"}, {"高三(21)", "语文", "", "5"}},
                               {}});
    const Imported refused = importInto(workbook, exchange::ImportMode::Merge, false);
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.out.find("错误 教师!A2：“欧阳青青青青”超过 10 个 GBK 字节（12 字节）"),
              std::string::npos)
        << refused.out;
    EXPECT_NE(refused.out.find("错误 课务分工!A2：未知班级“高三(21)”"), std::string::npos);
    EXPECT_NE(refused.err.find("有错误，没有导入任何数据"), std::string::npos);
    EXPECT_EQ(exchange::readSchoolTables(), demo);
}

TEST_F(ImportCommand, ExportWritesTheWorkbookAndTheTemplate) {
    const clitest::Result written = runCli({"export", "workbook", "-o", "school.xlsx"});
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(readFile("school.xlsx").substr(0, 2), "PK");
    const clitest::Result blank =
        runCli({"export", "workbook", "--template", "-o", "template.xlsx"});
    EXPECT_EQ(blank.code, 0) << blank.err;
    EXPECT_EQ(readFile("template.xlsx").substr(0, 2), "PK");
}

TEST(ImportCommandLine, WrongArgumentsAndUnreadableFilesAreRefused) {
    clitest::TempDir dir;
    clitest::ScopedCwd cwd(dir.path());
    EXPECT_EQ(runCli({"export", "workbook"}).code, 2);
    EXPECT_EQ(runCli({"import"}).code, 2);
    EXPECT_EQ(runCli({"import", "x.xlsx", "--bogus"}).code, 2);
    // no database here
    EXPECT_EQ(runCli({"import", "x.xlsx"}).code, 1);
    EXPECT_EQ(runCli({"export", "workbook", "-o", "x.xlsx"}).code, 1);
    EXPECT_FALSE(fs::exists(dir / "x.xlsx"));
    ASSERT_EQ(runCli({"init", "."}).code, 0);
    const clitest::Result missing = runCli({"import", "missing.xlsx", "--dry-run"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("tavlen-cli import: "), std::string::npos);
}
