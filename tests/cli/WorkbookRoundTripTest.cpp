// Built only once the workbook reader is part of the build (see CMakeLists.txt): the demo
// school exported to an .xlsx file, read back by exchange::readWorkbook, and imported (替换)
// into an empty database through tavlen-cli import gives the same rows in the same order in
// every touched table; a file a user edited is previewed with its changes and refused with
// its errors.
#include "CliTestSupport.h"

#include "exchange/SchoolTables.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using clitest::runCli;

using WorkbookRoundTrip = clitest::DemoSchoolDir;

} // namespace

TEST_F(WorkbookRoundTrip, DemoSchoolThroughAFileIntoAnEmptyDatabase) {
    const exchange::SchoolTables demo = exchange::readSchoolTables();
    const fs::path file = m_dir / "school.xlsx";
    ASSERT_EQ(runCli({"export", "workbook", "-o", file.string()}).code, 0);
    const exchange::Workbook read = exchange::readWorkbook(file);
    const exchange::Workbook written = exchange::schoolWorkbook(demo);
    ASSERT_EQ(read.sheets.size(), written.sheets.size());
    for (std::size_t i = 0; i < written.sheets.size(); ++i) {
        const exchange::Sheet& sheet = written.sheets[i];
        EXPECT_EQ(read.sheets[i].name, sheet.name);
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const int row = static_cast<int>(r) + 1;
                const int column = static_cast<int>(c) + 1;
                ASSERT_EQ(read.sheets[i].cell(row, column), sheet.rows[r][c])
                    << sheet.name << " " << exchange::cellName({row, column});
            }
        }
    }

    const fs::path empty = m_dir / "empty";
    ASSERT_EQ(runCli({"init", empty.string()}).code, 0);
    clitest::ScopedCwd cwd(empty);
    store::useDatabaseFile((empty / "tavlen" / "tavlen.mdb").string());
    const clitest::Result dry = runCli({"import", file.string(), "--dry-run"});
    EXPECT_EQ(dry.code, 0) << dry.err;
    EXPECT_EQ(exchange::readSchoolTables(), exchange::SchoolTables{});
    const clitest::Result done = runCli({"import", file.string()});
    EXPECT_EQ(done.code, 0) << done.err;
    EXPECT_EQ(exchange::readSchoolTables(), demo);
}

TEST_F(WorkbookRoundTrip, EditedFileIsPreviewedAndABadOneRefused) {
    const exchange::SchoolTables demo = exchange::readSchoolTables();
    exchange::Workbook workbook = exchange::schoolWorkbook(demo);
    for (exchange::Sheet& sheet : workbook.sheets) {
        if (sheet.name == "课务分工") {
            std::swap(sheet.rows[1][2], sheet.rows[2][2]);
            sheet.rows[3][3] = std::to_string(std::stoi(sheet.rows[3][3]) + 1);
        }
    }
    const fs::path edited = m_dir / "edited.xlsx";
    exchange::writeWorkbookFile(workbook, edited, false);
    const clitest::Result dry = runCli({"import", edited.string(), "--dry-run"});
    EXPECT_EQ(dry.code, 0) << dry.err;
    EXPECT_NE(dry.out.find("工作表“课务分工”（classcourse）：新增 0 行，修改 3 行，删除 0 行"),
              std::string::npos)
        << dry.out;
    EXPECT_EQ(exchange::readSchoolTables(), demo);

    exchange::Workbook bad;
    bad.sheets.push_back({"教师", false, {{"姓名"}, {"欧阳青青青青"}}, {}});
    bad.sheets.push_back(
        {"课务分工", false, {{"班级", "学科", "教师", "周课时"}, {"初一⒇", "语文", "", "5"}}, {}});
    const fs::path refused = m_dir / "bad.xlsx";
    exchange::writeWorkbookFile(bad, refused, false);
    const clitest::Result result = runCli({"import", refused.string()});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.out.find("“欧阳青青青青”超过 10 个 GBK 字节"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("班级“初一⒇”超出初一的班级数"), std::string::npos);
    EXPECT_EQ(exchange::readSchoolTables(), demo);
}
