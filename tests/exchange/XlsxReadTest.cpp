// The .xlsx reader on workbooks from three producers: libxlsxwriter (shared strings, and
// inline strings in its constant-memory mode), python3-openpyxl, and hand-made parts as
// LibreOffice and WPS write them (cells and rows without references, absolute targets).
#include "ReadTestFiles.h"

#include "exchange/WorkbookReader.h"
#include "exchange/XlsxNumber.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <cstdlib>

using namespace exchange;
using exchangetest::TempFolder;

namespace {

// What a test expects at one place of a sheet.
struct Expected {
    int row;
    int column;
    std::string text;
};

void expectCells(const Sheet& sheet, const std::vector<Expected>& cells) {
    for (const Expected& e : cells)
        EXPECT_EQ(sheet.cell(e.row, e.column), e.text)
            << sheet.name << " " << e.row << "," << e.column;
}

// Written in the test's folder; strings shared, or inline in constant-memory mode.
std::filesystem::path writeWithXlsxwriter(const TempFolder& folder, bool constantMemory) {
    const auto path = folder.file(constantMemory ? "inline.xlsx" : "shared.xlsx");
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "课务分工");
    worksheet_write_string(sheet, 0, 0, "班级", nullptr);
    worksheet_write_string(sheet, 0, 1, "学科", nullptr);
    worksheet_write_string(sheet, 0, 3, "周课时", nullptr);
    worksheet_write_string(sheet, 1, 0, "初一⑴", nullptr);
    worksheet_write_string(sheet, 1, 1, "语文", nullptr);
    worksheet_write_number(sheet, 1, 3, 5, nullptr);
    worksheet_write_number(sheet, 2, 3, 2.5, nullptr);
    worksheet_write_number(sheet, 2, 4, 0.00001, nullptr);
    worksheet_write_boolean(sheet, 2, 5, 1, nullptr);
    worksheet_write_formula_num(sheet, 3, 3, "=SUM(D2:D3)", nullptr, 7.5);
    worksheet_write_formula_str(sheet, 3, 4, "=A2&B2", nullptr, "初一⑴语文");
    // row 5 empty; a merged range keeps its text in its top-left cell only
    if (!constantMemory)
        worksheet_merge_range(sheet, 5, 0, 5, 2, "合并", nullptr);
    worksheet_write_string(sheet, 9, 6, "稀疏", nullptr);
    lxw_worksheet* hidden = workbook_add_worksheet(book, "教师");
    worksheet_write_string(hidden, 0, 0, "姓名", nullptr);
    worksheet_hide(hidden);
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    return path;
}

TEST(XlsxRead, WorkbooksWrittenByXlsxwriterSharedAndInline) {
    TempFolder folder;
    for (const bool constantMemory : {false, true}) {
        SCOPED_TRACE(constantMemory ? "inline strings" : "shared strings");
        const Workbook book = readWorkbook(writeWithXlsxwriter(folder, constantMemory));
        ASSERT_EQ(book.sheets.size(), 2U);
        const Sheet& plan = book.sheets[0];
        EXPECT_EQ(plan.name, "课务分工");
        EXPECT_FALSE(plan.hidden);
        expectCells(plan, {{1, 1, "班级"},
                           {1, 2, "学科"},
                           {1, 3, ""},
                           {1, 4, "周课时"},
                           {2, 1, "初一⑴"},
                           {2, 4, "5"},
                           {3, 4, "2.5"},
                           {3, 5, "0.00001"},
                           {3, 6, "TRUE"},
                           {4, 4, "7.5"},
                           {4, 5, "初一⑴语文"},
                           {5, 1, ""},
                           {10, 7, "稀疏"}});
        if (!constantMemory)
            expectCells(plan, {{6, 1, "合并"}, {6, 2, ""}, {6, 3, ""}});
        EXPECT_EQ(plan.rows.size(), 10U);
        EXPECT_TRUE(plan.rows[4].empty());
        EXPECT_TRUE(plan.formulasWithoutValue.empty());
        EXPECT_EQ(book.sheets[1].name, "教师");
        EXPECT_TRUE(book.sheets[1].hidden);
        EXPECT_EQ(book.sheets[1].cell(1, 1), "姓名");
    }
}

TEST(XlsxRead, WorkbookWrittenByOpenpyxl) {
    const std::string python = TAVLEN_PYTHON3;
    if (python.empty() || std::system((python + " -c 'import openpyxl' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "python3-openpyxl is not installed";
    TempFolder folder;
    const auto path = folder.file("openpyxl.xlsx");
    ASSERT_EQ(std::system((python + " " TAVLEN_WRITE_WORKBOOK " '" + path.string() + "'").c_str()),
              0);
    const Workbook book = readWorkbook(path);
    ASSERT_EQ(book.sheets.size(), 2U);
    const Sheet& plan = book.sheets[0];
    expectCells(plan, {{1, 1, "班级"},
                       {1, 4, "周课时"},
                       {2, 1, "初一⑴"},
                       {2, 3, "王老师"},
                       {2, 4, "5"},
                       {3, 4, "2.5"},
                       {2, 5, "TRUE"},
                       {3, 5, "FALSE"},
                       {4, 4, ""},
                       {5, 1, "合并"},
                       {5, 2, ""},
                       {6, 1, ""},
                       {8, 6, "稀疏"},
                       {9, 1, "0.001"},
                       {9, 2, "45292"}});
    EXPECT_EQ(plan.formulasWithoutValue, (std::vector<CellPlace>{{4, 4}}));
    EXPECT_EQ(book.sheets[1].name, "备注");
    EXPECT_TRUE(book.sheets[1].hidden);
    EXPECT_EQ(book.sheets[1].cell(1, 1), "隐藏的表");
}

TEST(XlsxRead, HandMadeWorkbookAsLibreOfficeAndWpsWriteIt) {
    // Rows and cells without r (each after the one before), a row skipped by r, shared strings
    // with rich-text runs and a phonetic guide, inline and formula strings, an error value,
    // numbers in exponent form, prefixed elements and an escaped line break.
    const std::string sheet1 =
        "<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c><c><v>1E-3</v></c></row>"
        "<row><c t=\"inlineStr\"><is><t>初一1班</t></is></c><c/><c><v>5.0</v></c></row>"
        "<row r=\"5\"><c r=\"B5\" t=\"str\"><f>A1&amp;\"\"</f><v>课程</v></c><c t=\"e\"><f>1/0</f>"
        "<v>#DIV/0!</v></c><c><f>D1</f></c><c t=\"str\"><f>\"\"</f><v></v></c></row>"
        "<x:row xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:c "
        "t=\"b\"><x:v>0</x:v></x:c><x:c><x:v>-0</x:v></x:c><x:c><x:v>1.5E+2</x:v></x:c></x:row>";
    const std::string shared = "<si><r><rPr><b/></rPr><t>课</t></r><r><t xml:space=\"preserve\">程 "
                               "</t></r><rPh sb=\"0\" eb=\"1\"><t>ke</t></rPh></si>"
                               "<si><t>第一行_x000D_\n第二行</t></si>";
    const std::string sheet2 =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>年段</t></is></c></row>";
    const Workbook book = readXlsx(exchangetest::makeZip(
        exchangetest::minimalWorkbook({{"课程", sheet1}, {"班级", sheet2}}, shared)));
    ASSERT_EQ(book.sheets.size(), 2U);
    const Sheet& s = book.sheets[0];
    expectCells(s, {{1, 1, "课程 "},
                    {1, 2, "第一行\r\n第二行"},
                    {1, 3, "0.001"},
                    {2, 1, "初一1班"},
                    {2, 2, ""},
                    {2, 3, "5"},
                    {3, 1, ""},
                    {5, 2, "课程"},
                    {5, 3, "#DIV/0!"},
                    {5, 4, ""},
                    {5, 5, ""},
                    {6, 1, "FALSE"},
                    {6, 2, "0"},
                    {6, 3, "150"}});
    EXPECT_EQ(s.formulasWithoutValue, (std::vector<CellPlace>{{5, 4}}));
    EXPECT_EQ(book.sheets[1].name, "班级");
    EXPECT_EQ(book.sheets[1].cell(1, 1), "年段");
}

TEST(XlsxRead, NumbersInTheirShortestExactForm) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"5", "5"},
        {"5.0", "5"},
        {"2.5", "2.5"},
        {"1E-3", "0.001"},
        {"-0", "0"},
        {"0.1", "0.1"},
        {"45292", "45292"},
        {"1e+300", "1e+300"},
        {"13800138000", "13800138000"},
        {"0.30000000000000004", "0.30000000000000004"},
        {" 7 ", "7"},
        {"abc", "abc"},
        {"", ""},
        {"+3", "3"}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(shortestNumber(text), expected) << text;
}

TEST(XlsxRead, FarCellsRefusedOrIgnoredWithoutTakingMemory) {
    struct Case {
        std::string rows;
        std::string refusal; // "" when the sheet is read
    };
    const std::vector<Case> cases = {
        // styled but empty cells far down cost nothing
        {"<row r=\"1048576\"><c r=\"XFD1048576\" s=\"1\"/></row>", ""},
        {"<row r=\"1000000\"><c r=\"A1000000\" t=\"inlineStr\"><is><t>x</t></is></c></row>",
         "超过 100000 行"},
        {"<row r=\"1048577\"><c r=\"A1048577\"><v>1</v></c></row>", "超出 Excel 的范围"},
        {"<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", "超出 Excel 的范围"},
        {"<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>", "超出 Excel 的范围"},
        {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>3</v></c></row>", "共享字符串"},
    };
    for (const Case& c : cases) {
        const std::string bytes =
            exchangetest::makeZip(exchangetest::minimalWorkbook({{"课程", c.rows}}));
        if (c.refusal.empty()) {
            const Workbook book = readXlsx(bytes);
            EXPECT_TRUE(book.sheets.at(0).rows.empty()) << c.rows;
            continue;
        }
        const std::string text = exchangetest::refusal([&] { readXlsx(bytes); });
        EXPECT_NE(text.find(c.refusal), std::string::npos) << text;
    }
}

} // namespace
