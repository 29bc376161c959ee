// The .csv reader: the three encodings a school's "CSV" comes in, RFC 4180 quoting, the
// sheet named by the file, and the files read through readWorkbook(s).
#include "ReadTestFiles.h"

#include "exchange/WorkbookReader.h"

#include "core/Gbk.h"

#include <gtest/gtest.h>

using namespace exchange;
using exchangetest::TempFolder;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::string kQuoted = "班级,学科,教师,周课时\r\n"
                            "初一⑴,语文,\"王, 老师\",5\r\n"
                            "\"初一⑵\",\"数\"\"学\"\"\",\"第一行\r\n第二行\",\r\n"
                            "\r\n"
                            "初一⑶,,李老师,4";
const Rows kQuotedRows = {{"班级", "学科", "教师", "周课时"},
                          {"初一⑴", "语文", "王, 老师", "5"},
                          {"初一⑵", "数\"学\"", "第一行\n第二行"},
                          {},
                          {"初一⑶", "", "李老师", "4"}};

TEST(CsvRead, EncodingsAndQuoting) {
    struct Case {
        const char* what;
        std::string bytes;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"UTF-8", kQuoted, kQuotedRows},
        {"UTF-8 with a BOM", "\xEF\xBB\xBF" + kQuoted, kQuotedRows},
        {"GBK", *gbk::toGbk(kQuoted), kQuotedRows},
        {"LF only, last line ending", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"lone CR", "a\rb", {{"a"}, {"b"}}},
        {"quote inside a field stays", "5\"x,y", {{"5\"x", "y"}}},
        {"empty quoted fields", "\"\",\"\",z", {{"", "", "z"}}},
        {"trailing empty lines dropped", "a\r\n\r\n\r\n", {{"a"}}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        const Sheet sheet = readCsv(c.bytes, "课务分工");
        EXPECT_EQ(sheet.name, "课务分工") << c.what;
        EXPECT_EQ(sheet.rows, c.rows) << c.what;
    }
}

TEST(CsvRead, RefusesAnUnclosedQuoteAndUtf16) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a,b\n\"c,d\ne,f", "第 2 行的引号没有结束"},
        {std::string("\xFF\xFE"
                     "a\0,\0",
                     6),
         "UTF-16"},
    };
    for (const auto& [bytes, refusal] : cases) {
        const std::string text = exchangetest::refusal([&] { readCsv(bytes, "x"); });
        EXPECT_NE(text.find(refusal), std::string::npos) << text;
    }
}

TEST(CsvRead, FilesNameTheirSheetsAndTwoOfOneNameAreRefused) {
    TempFolder folder;
    exchangetest::writeFile(folder.file("课务分工.csv"), kQuoted);
    exchangetest::writeFile(folder.file("教师.CSV"), *gbk::toGbk("姓名,学科\n王老师,语文"));
    exchangetest::writeFile(folder.file("年段课程"), "年段,学科\n初一,语文\n");
    std::filesystem::create_directories(folder.file("again"));
    exchangetest::writeFile(folder.file("again") / "教师.csv", "姓名\n");

    const Workbook book = readWorkbooks(
        {folder.file("课务分工.csv"), folder.file("教师.CSV"), folder.file("年段课程")});
    ASSERT_EQ(book.sheets.size(), 3U);
    EXPECT_EQ(book.sheets[0].rows, kQuotedRows);
    EXPECT_EQ(book.sheet("教师")->cell(2, 1), "王老师");
    EXPECT_EQ(book.sheet("年段课程")->cell(2, 1), "初一");

    const std::string text = exchangetest::refusal([&] {
        readWorkbooks({folder.file("教师.CSV"), folder.file("again") / "教师.csv"});
    });
    EXPECT_EQ(text, "教师.csv：工作表“教师”与 教师.CSV 中的工作表同名");
}

TEST(CsvRead, RowsBeyondTheLimitAreRefusedNotKept) {
    std::string bytes(100000, '\n');
    bytes += "x\n";
    const std::string text = exchangetest::refusal([&] { readCsv(bytes, "课务分工"); });
    EXPECT_EQ(text, "工作表“课务分工”超过 100000 行（第 100001 行有内容）");
}

} // namespace
