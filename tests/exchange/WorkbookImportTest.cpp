// 从工作簿导入… on CSV files in a test database: a clean file previewed and imported (then
// nothing is left to import), a file with an unknown class refused with its row shown, a file
// that cannot be read, and the school's workbook and its template exported.
#include "exchange/WorkbookImport.h"

#include "TempDatabase.h"
#include "exchange/WorkbookReader.h"
#include "store/CTNRecord.h"
#include "store/NameList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using exchange::WorkbookImport;

fs::path writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(WorkbookImport, PreviewsImportsAndShowsTheRowOfAProblem) {
    testsupport::TempDatabase db;
    const fs::path dir = db.workingDir();
    WorkbookImport import;
    EXPECT_FALSE(import.canImport());

    import.chooseFiles({writeFile(dir / "课程.csv", "课程\n语文\n数学\n"),
                        writeFile(dir / "教师.csv", "姓名,学科\n张伟,语文\n李娜,数学\n")});
    ASSERT_TRUE(import.plan());
    EXPECT_TRUE(import.readProblem().empty());
    const auto lines = import.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().text.find("课程"), std::string::npos) << lines.front().text;
    EXPECT_EQ(lines.back().text, "共 0 个错误，0 个警告");
    EXPECT_TRUE(import.canImport());
    EXPECT_EQ(import.runImport(), "已导入：课程、教师");
    EXPECT_EQ(store::readNameList<store::CTNRecord>(200),
              (std::vector<std::string>{"张伟", "李娜"}));
    EXPECT_FALSE(import.canImport()); // previewed afresh: nothing left to change

    import.chooseFiles(
        {writeFile(dir / "课务分工.csv", "班级,学科,教师,周课时\n初九⑴,语文,张伟,5\n")});
    ASSERT_TRUE(import.plan());
    EXPECT_TRUE(import.plan()->hasErrors());
    EXPECT_FALSE(import.canImport());
    bool shown = false;
    for (const WorkbookImport::Line& line : import.lines()) {
        if (line.error) {
            EXPECT_EQ(import.rowOf(line), "课务分工 第 2 行：初九⑴ | 语文 | 张伟 | 5");
            shown = true;
        } else {
            EXPECT_EQ(import.rowOf(line), "");
        }
    }
    EXPECT_TRUE(shown);

    import.chooseFiles({writeFile(dir / "old.xls", std::string("\xD0\xCF\x11\xE0", 4) + "xx")});
    EXPECT_FALSE(import.plan());
    ASSERT_EQ(import.lines().size(), 1u);
    EXPECT_TRUE(import.lines()[0].error);
    EXPECT_NE(import.readProblem().find("另存为 .xlsx"), std::string::npos) << import.readProblem();
    EXPECT_FALSE(import.canImport());
}

TEST(WorkbookImport, ExportsTheSchoolAndTheTemplate) {
    testsupport::TempDatabase db;
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{{"张伟"}});
    const fs::path school = fs::path(db.workingDir()) / "学校.xlsx";
    EXPECT_EQ(exchange::exportSchool(school, false), "已导出：" + school.string());
    const exchange::Workbook read = exchange::readWorkbook(school);
    ASSERT_NE(read.sheet("教师"), nullptr);
    EXPECT_EQ(read.sheet("教师")->cell(2, 1), "张伟");
    const fs::path blank = fs::path(db.workingDir()) / "模板.xlsx";
    exchange::exportSchool(blank, true);
    ASSERT_NE(exchange::readWorkbook(blank).sheet("课务分工"), nullptr);
}

} // namespace
