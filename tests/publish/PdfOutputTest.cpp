// The PDF read back with poppler: pages, their size and orientation, the document's title and
// creator, the texts in reading order, and the CJK face embedded.
#include "publish/PdfOutput.h"
#include "SamplePages.h"
#include "ToolRun.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sstream>

using namespace publishtest;

namespace {

class PdfOutputTest : public testing::Test {
protected:
    void SetUp() override {
        if (std::string(TAVLEN_PDFTOTEXT).empty() || std::string(TAVLEN_PDFINFO).empty() ||
            std::string(TAVLEN_PDFFONTS).empty()) {
            GTEST_SKIP() << "poppler-utils is not installed";
        }
        ASSERT_TRUE(m_dir.isValid());
    }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(m_dir.path().toStdString()) / name;
    }
    // The page's text as poppler reads it: the characters drawn, never the radicals the font
    // draws with the same glyphs (⼀ for 一).
    static std::string text(const std::filesystem::path& pdf, int page,
                            const std::string& options = " -layout") {
        const std::string range = " -f " + std::to_string(page) + " -l " + std::to_string(page);
        return runTool(std::string(TAVLEN_PDFTOTEXT) + options + range + " " + quoted(pdf) + " -")
            .out;
    }
    static std::string info(const std::filesystem::path& pdf, const std::string& options = {}) {
        return squeezed(runTool(std::string(TAVLEN_PDFINFO) + options + " " + quoted(pdf)).out);
    }

    QTemporaryDir m_dir;
};

TEST_F(PdfOutputTest, PagesKeepTheirOrientationAndTheDocumentItsTitle) {
    const auto pdf = file("school.pdf");
    publish::writePdf({classWeek(), teacherWeek(), overview()}, pdf, false);

    const std::string summary = info(pdf);
    EXPECT_NE(summary.find("Pages: 3\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Title: 实验中学 初一⑴班课程表\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Creator: tavlen\n"), std::string::npos) << summary;
    const std::string pages = info(pdf, " -f 1 -l 3");
    EXPECT_TRUE(
        inOrder(pages, {"Page 1 size: 595 x 842 pts (A4)", "Page 2 size: 595 x 842 pts (A4)",
                        "Page 3 size: 842 x 595 pts (A4)"}))
        << pages;
}

TEST_F(PdfOutputTest, TextsReadInTheirOrder) {
    const auto pdf = file("pages.pdf");
    publish::writePdf({classWeek(), teacherWeek(), overview()}, pdf, false);

    // title, heads, then the rows line by line (a head's lines beside the cells' lines, a
    // group in the middle of its rows), then the notes
    const std::string week = text(pdf, 1);
    EXPECT_TRUE(inOrder(week, {"实验中学 初一⑴班课程表",
                               "节次",
                               "星期一",
                               "星期二",
                               "星期五",
                               "第一节",
                               "语文",
                               "数学",
                               "英语",
                               "08:00",
                               "王0",
                               "王1",
                               "第二节",
                               "上午",
                               "第三节",
                               "第四节",
                               "第五节",
                               "第六节",
                               "下午",
                               "第七节",
                               "班主任：王老师",
                               "每周课时：34"}))
        << week;
    // a text too long for its cell is elided, not drawn across its neighbours
    EXPECT_EQ(week.find(kLongCourse), std::string::npos) << week;
    EXPECT_NE(week.find("信息技术"), std::string::npos) << week;

    const std::string teacher = text(pdf, 2);
    EXPECT_TRUE(inOrder(teacher, {"张三丰老师课程表", "星期一", "星期五", "初二⑶", "第一节", "数学",
                                  "第二节", "初二⑷", "第三节", "数学", "第七节"}))
        << teacher;

    const std::string grade = text(pdf, 3);
    EXPECT_TRUE(inOrder(grade, {"初一总课表", "星期一", "星期二", "星期三", "星期四", "星期五",
                                "班级", "1", "7", "语文", "初一⑴", "张", "初一⑵", "初一⒇"}))
        << grade;
}

TEST_F(PdfOutputTest, TextReadsBackAsItWasWritten) {
    const auto pdf = file("text.pdf");
    publish::Page page = classWeek();
    page.title = "初一⑴ 语文 星期一 文";
    publish::writePdf({page, overview()}, pdf, false);

    const std::string first = text(pdf, 1, "");
    EXPECT_EQ(first.substr(0, first.find('\n')), page.title) << first;
    EXPECT_TRUE(inOrder(text(pdf, 2), {"初一总课表", "星期一", "初一⑴", "初一⒇"}));
    // every radical the font shares a glyph with an ideograph would fall in U+2E80 … U+2FDF,
    // whose UTF-8 begins E2 BA … E2 BF
    const std::string all = runTool(std::string(TAVLEN_PDFTOTEXT) + " " + quoted(pdf) + " -").out;
    for (const char* lead :
         {"\xE2\xBA", "\xE2\xBB", "\xE2\xBC", "\xE2\xBD", "\xE2\xBE", "\xE2\xBF"}) {
        EXPECT_EQ(all.find(lead), std::string::npos) << all;
    }
    // poppler finds nothing wrong with the file (a broken xref table shows as "Syntax Error")
    const std::string complaints =
        runTool("{ " + std::string(TAVLEN_PDFINFO) + " " + quoted(pdf) + " 2>&1 >/dev/null; }").out;
    EXPECT_EQ(complaints, "");
    EXPECT_NE(info(pdf).find("Pages: 2\n"), std::string::npos);
}

TEST_F(PdfOutputTest, EmbedsTheCjkFace) {
    const auto pdf = file("fonts.pdf");
    publish::writePdf({classWeek()}, pdf, false);
    const std::string fonts = runTool(std::string(TAVLEN_PDFFONTS) + " " + quoted(pdf)).out;
    bool embedded = false;
    std::istringstream lines(fonts);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("NotoSansCJK") != std::string::npos) {
            // the columns after the type: encoding, emb, sub, uni
            embedded = line.find(" yes ") != std::string::npos;
            EXPECT_TRUE(embedded) << line;
        }
    }
    EXPECT_TRUE(embedded) << fonts;
}

} // namespace
