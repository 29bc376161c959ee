// The workbook and the template as sheets, and the file written whole or not at all.
#include "exchange/WorkbookWriter.h"
#include "ExchangeTestSchool.h"
#include "exchange/WorkbookFormat.h"

#include "TempDatabase.h"
#include "publish/OutputTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace exchange;

TEST(WorkbookWriter, SheetsHoldTheTablesAndTheTemplateOneExample) {
    const Workbook w = schoolWorkbook(exchangetest::smallSchool());
    ASSERT_EQ(w.sheets.size(), sheetFormats().size());
    const Sheet* teachers = w.sheet("教师");
    ASSERT_NE(teachers, nullptr);
    EXPECT_EQ(teachers->rows[0], (std::vector<std::string>{"姓名", "学科"}));
    EXPECT_EQ(teachers->rows[1], (std::vector<std::string>{"张明", "语文"}));
    EXPECT_EQ(w.sheet("教师不排")->rows[1], (std::vector<std::string>{"张明", "星期一", "1-4"}));
    EXPECT_EQ(w.sheet("统一课程")->rows[1],
              (std::vector<std::string>{"初一", "星期五", "7", "体育"}));
    EXPECT_EQ(w.sheet("年段课程")->rows[1], (std::vector<std::string>{"初一", "语文", "6", ""}));
    EXPECT_EQ(w.sheet("课务分工")->rows.size(), 9u);

    for (const Sheet& s : templateWorkbook().sheets) {
        ASSERT_EQ(s.rows.size(), 2u) << s.name;
        EXPECT_EQ(s.rows[0].size(), s.rows[1].size()) << s.name;
    }
}

TEST(WorkbookWriter, FileIsWrittenWholeAndAnExistingOneOnlyWhenAsked) {
    const std::string dir = testsupport::makeTempDir("tavlen-workbook-");
    const std::filesystem::path file = std::filesystem::path(dir) / "school.xlsx";
    writeWorkbookFile(schoolWorkbook(exchangetest::smallSchool()), file, false);
    std::ifstream in(file, std::ios::binary);
    std::string magic(2, '\0');
    in.read(magic.data(), 2);
    EXPECT_EQ(magic, "PK");
    EXPECT_THROW(writeWorkbookFile(templateWorkbook(), file, false), publish::PublishError);
    writeWorkbookFile(templateWorkbook(), file, true);
    EXPECT_THROW(
        writeWorkbookFile(templateWorkbook(), std::filesystem::path(dir) / "none" / "x.xlsx", true),
        publish::PublishError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(dir);
}
