// The installed templates and the built-in lesson-count frame: size, lines of fixed width ending in
// CR LF, clean GBK, a bottom border as last line, headings where the writer overwrites them, and
// every blank field of the report at its offset with a frame character right after it (so a text of
// the field's width stays in its box).
#include "ReportTestSupport.h"
#include "core/Gbk.h"
#include "reports/ReportLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace reporttest;
using reports::ReportKind;

namespace {

bool isFrameCharacter(std::string_view twoBytes) {
    const std::string text = gbk::fromGbk(twoBytes);
    char32_t ch = 0;
    return gbk::decodeUtf8(text, ch) == text.size() && ch >= U'\u2500' && ch <= U'\u257F';
}

std::string_view lineOf(const std::string& bytes, int width, int line) {
    return std::string_view(bytes).substr(static_cast<std::size_t>(line * width),
                                          static_cast<std::size_t>(width));
}

class TemplateTest : public testing::TestWithParam<ReportKind> {};

TEST_P(TemplateTest, HasItsSizeLinesOfFixedWidthAndCleanGbk) {
    const auto& layout = reports::layoutOf(GetParam());
    const std::string bytes = templateBytes(GetParam());
    ASSERT_EQ(bytes.size(), layout.templateSize);
    ASSERT_EQ(static_cast<std::size_t>(layout.lines * layout.lineBytes), layout.templateSize);
    for (int l = 0; l < layout.lines; ++l) {
        const std::string_view line = lineOf(bytes, layout.lineBytes, l);
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n") << "line " << l;
        const std::string_view text = line.substr(0, line.size() - 2);
        EXPECT_EQ(text.find_first_of(std::string_view("\r\n\0", 3)), std::string_view::npos)
            << "line " << l;
        const std::string decoded = gbk::fromGbk(text);
        EXPECT_EQ(decoded.find("\xEF\xBF\xBD"), std::string::npos) << "line " << l;
        EXPECT_EQ(gbk::toGbk(decoded), std::string(text)) << "line " << l;
    }
}

TEST_P(TemplateTest, LastLineIsTheBottomBorder) {
    const auto& layout = reports::layoutOf(GetParam());
    const std::string bytes = templateBytes(GetParam());
    const std::string last = gbk::fromGbk(lineOf(bytes, layout.lineBytes, layout.lines - 1));
    EXPECT_NE(last.find("└"), std::string::npos);
    EXPECT_NE(last.find("┘"), std::string::npos);
    EXPECT_EQ(last.find("│"), std::string::npos);
}

TEST_P(TemplateTest, EveryFieldIsBlankAndBoxedAtItsOffset) {
    const auto& layout = reports::layoutOf(GetParam());
    const std::string bytes = templateBytes(GetParam());
    for (const Field& f : fieldsOf(GetParam())) {
        const std::string_view line = lineOf(bytes, layout.lineBytes, f.line);
        EXPECT_EQ(
            line.substr(static_cast<std::size_t>(f.column), static_cast<std::size_t>(f.width)),
            std::string(static_cast<std::size_t>(f.width), ' '))
            << "line " << f.line << " column " << f.column;
        EXPECT_TRUE(isFrameCharacter(line.substr(static_cast<std::size_t>(f.column + f.width), 2)))
            << "line " << f.line << " column " << f.column + f.width;
    }
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, TemplateTest,
                         testing::Values(ReportKind::Weekly, ReportKind::Monthly,
                                         ReportKind::TeacherList, ReportKind::DutyRoster,
                                         ReportKind::GradeTimetable, ReportKind::ReviewTimetable,
                                         ReportKind::LessonCounts));

std::string at(const std::string& bytes, int width, int line, int column, std::size_t count) {
    return std::string(lineOf(bytes, width, line).substr(static_cast<std::size_t>(column), count));
}

TEST(TemplateHeadings, WeeklyHeadingsStandAboveBothHalves) {
    const std::string bytes = templateBytes(ReportKind::Weekly);
    for (int half : {0, 44}) {
        EXPECT_EQ(at(bytes, 92, 1, 2 + half, 4), g("教师"));
        const char* headings[] = {"迟到", "早退", "事假", "公假", "缺勤", "公代"};
        for (int j = 0; j < 6; ++j) {
            EXPECT_EQ(at(bytes, 92, 1, 10 + 6 * j + half, 4), g(headings[j])) << j;
        }
    }
}

TEST(TemplateHeadings, TimetableHeadingsNameTheDaysAndPeriods) {
    const std::string lessons = templateBytes(ReportKind::GradeTimetable);
    const char* days[] = {"星期一", "星期二", "星期三", "星期四", "星期五"};
    for (int d = 0; d < 5; ++d) {
        EXPECT_NE(gbk::fromGbk(lineOf(lessons, 152, 1)).find(days[d]), std::string::npos);
        for (int k = 0; k < 7; ++k) {
            // Period k + 1 of day d heads cell j = 7d + k + 1.
            EXPECT_EQ(gbk::fromGbk(at(lessons, 152, 3, 6 + 4 * (7 * d + k + 1), 2)),
                      std::string("１２３４５６７").substr(static_cast<std::size_t>(3 * k), 3));
        }
    }
    // The review export writes the second character of days six to ten at these columns.
    const std::string review = templateBytes(ReportKind::ReviewTimetable);
    const int columns[] = {21, 50, 78, 106, 134};
    const char* numbers[] = {"一", "二", "三", "四", "五"};
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(at(review, 152, 1, columns[d] - 2, 6), g(std::string("第") + numbers[d] + "天"))
            << d;
    }
}

TEST(TemplateHeadings, TeacherListRightBorderStandsAtColumns120And121) {
    const std::string bytes = templateBytes(ReportKind::TeacherList);
    for (int l = 0; l < 41; ++l) {
        EXPECT_TRUE(isFrameCharacter(at(bytes, 124, l, 120, 2))) << l;
    }
}

TEST(TemplateScript, RegeneratesTheCommittedTemplates) {
    const std::string python = TAVLEN_PYTHON3;
    if (python.empty()) {
        GTEST_SKIP() << "python3 not found";
    }
    const WorkDir out;
    const std::string command =
        python + " " + TAVLEN_MAKE_TEMPLATES + " " + (out.path() / "gen").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const auto& entry : fs::directory_iterator(out.path() / "gen")) {
        EXPECT_EQ(readBytes(entry.path()), readBytes(templateDir() / entry.path().filename()))
            << entry.path().filename();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path() / "gen"), fs::directory_iterator()),
              6);
}

} // namespace
