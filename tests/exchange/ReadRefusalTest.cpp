// What is no readable workbook is refused with a text naming the file, and damaged bytes of
// every kind (each truncation, single bit flips at fixed pseudo-random places) give either
// a workbook or a ReadError: never a crash, a hang or another exception.
#include "ReadTestFiles.h"

#include "exchange/WorkbookReader.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <random>

using namespace exchange;
using exchangetest::TempFolder;

namespace {

std::string oleFile(const std::string& streamName) {
    std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    bytes.resize(512, '\0');
    for (const char ch : streamName) {
        bytes += ch;
        bytes += '\0';
    }
    bytes.resize(2048, '\0');
    return bytes;
}

std::string smallWorkbook() {
    TempFolder folder;
    const auto path = folder.file("small.xlsx");
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "课务分工");
    const char* header[] = {"班级", "学科", "教师", "周课时"};
    for (lxw_col_t c = 0; c < 4; ++c)
        worksheet_write_string(sheet, 0, c, header[c], nullptr);
    for (lxw_row_t r = 1; r < 12; ++r) {
        worksheet_write_string(sheet, r, 0, ("初一" + std::to_string(r) + "班").c_str(), nullptr);
        worksheet_write_string(sheet, r, 1, "语文", nullptr);
        worksheet_write_number(sheet, r, 3, r % 6, nullptr);
    }
    worksheet_write_formula_num(sheet, 12, 3, "=SUM(D2:D12)", nullptr, 30);
    workbook_close(book);
    return exchangetest::readFile(path);
}

TEST(ReadRefusal, FilesThatAreNoWorkbookNameTheFile) {
    TempFolder folder;
    const std::string valid = smallWorkbook();
    std::string damagedZip = valid;
    damagedZip.resize(valid.size() - 30); // the central directory's end cut off
    struct Case {
        std::string file;
        std::string bytes;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {"旧.xls", oleFile("Workbook"), std::string("旧.xls：") + kXlsRefusal},
        {"旧格式.xlsx", oleFile("Workbook"), std::string("旧格式.xlsx：") + kXlsRefusal},
        {"网页.xls", "<html><table></table></html>", std::string("网页.xls：") + kXlsRefusal},
        {"密码.xlsx", oleFile("EncryptedPackage"), std::string("密码.xlsx：") + kEncryptedRefusal},
        {"说明.xlsx", "这是一段文字，不是工作簿。\n", std::string("说明.xlsx：") + kNotXlsxRefusal},
        {"空.xlsx", "", "空.xlsx：文件是空的"},
        {"空.csv", "", "空.csv：文件是空的"},
        {"坏.xlsx", damagedZip, "坏.xlsx：工作簿已损坏：压缩包无法打开"},
        {"文档.xlsx", exchangetest::makeZip({{"word/document.xml", "<w/>"}}),
         std::string("文档.xlsx：") + kNotXlsxRefusal},
        {"无名", std::string("\x01\x02\0\x03", 4), std::string("无名：") + kNotXlsxRefusal},
    };
    for (const Case& c : cases) {
        exchangetest::writeFile(folder.file(c.file), c.bytes);
        const std::string text = exchangetest::refusal([&] { readWorkbook(folder.file(c.file)); });
        EXPECT_EQ(text, c.refusal);
    }
    const std::string text =
        exchangetest::refusal([&] { readWorkbook(folder.file("不存在.xlsx")); });
    EXPECT_TRUE(text.starts_with("不存在.xlsx：无法打开文件")) << text;
}

TEST(ReadRefusal, FilesOverFiftyMegabytesAreRefusedBeforeReading) {
    TempFolder folder;
    const auto big = folder.file("大.xlsx");
    exchangetest::writeFile(big, "PK");
    std::filesystem::resize_file(big, kMaxWorkbookBytes + 1); // sparse: nothing written
    const std::string text = exchangetest::refusal([&] { readWorkbook(big); });
    EXPECT_EQ(text, "大.xlsx：文件超过 50 MB，不像是学校的工作簿");
}

TEST(ReadRefusal, APartClaimingToInflateBeyondTheLimitIsRefused) {
    auto parts = exchangetest::minimalWorkbook({{"课程", "<row><c><v>1</v></c></row>"}});
    parts[0].claimedSize = 300ULL << 20;
    const std::string text = exchangetest::refusal([&] { readXlsx(exchangetest::makeZip(parts)); });
    EXPECT_EQ(text, "工作簿已损坏：xl/worksheets/sheet1.xml 解压后超过 200 MB");
}

// Either a workbook or a ReadError; anything else fails the test. True when refused.
bool readOrRefuse(const std::string& bytes, const std::string& what) {
    try {
        readXlsx(bytes);
    } catch (const ReadError&) {
        return true;
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": " << e.what();
    }
    return false;
}

TEST(ReadRefusal, TruncatedAndBitFlippedWorkbooksNeverCrash) {
    const std::string valid = smallWorkbook();
    ASSERT_EQ(readXlsx(valid).sheets.at(0).cell(13, 4), "30");
    for (std::size_t k = 0; k < 50; ++k) {
        const std::size_t length = valid.size() * k / 50;
        // a zip cut anywhere has lost its directory
        EXPECT_TRUE(readOrRefuse(valid.substr(0, length), "cut at " + std::to_string(length)))
            << length;
    }
    std::mt19937 random(20240901U); // fixed: the same places every run
    std::uniform_int_distribution<std::size_t> place(0, valid.size() * 8 - 1);
    for (int k = 0; k < 200; ++k) {
        std::string flipped = valid;
        const std::size_t bit = place(random);
        flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << (bit % 8)));
        readOrRefuse(flipped, "bit " + std::to_string(bit));
    }
}

} // namespace
