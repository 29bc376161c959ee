// Building documents from the installed templates: pages, offsets, numbers, trimming, every
// value kept to its field, and the refusals (short template, text GBK cannot encode, a
// number too wide for its field).
#include "reports/DocumentBuilder.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace reporttest;
using reports::ClassTimetable;
using reports::CountEntry;
using reports::Document;
using reports::ReportKind;
using reports::ReportTable;

namespace {

std::string teacherName(int i) {
    static const char* surnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周"};
    static const char* given[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    return std::string(surnames[i % 10]) + given[(i / 10) % 10] + "老";
}

ReportTable counts(int n, int values) {
    ReportTable table;
    for (int i = 0; i < n; ++i) {
        CountEntry entry{teacherName(i), {}};
        for (int j = 0; j < values; ++j) {
            entry.values.push_back(i == 0 ? j * 5 : 0);
        }
        table.counts.push_back(entry);
    }
    return table;
}

Document build(ReportKind kind, const ReportTable& table) {
    reports::BuildResult result = reports::buildDocument(kind, table, templateBytes(kind));
    EXPECT_TRUE(result) << result.error;
    return result ? *result.document : Document{};
}

std::string at(const Document& d, int page, int line, int column, std::size_t count) {
    return std::string(d.line(page, line).substr(static_cast<std::size_t>(column), count));
}

// ---- paged reports -------------------------------------------------------------------

TEST(WeeklyDocument, ThirtyNineTeachersMakeOnePage) {
    const Document d = build(ReportKind::Weekly, counts(39, 6));
    EXPECT_EQ(d.bytes.size(), 3956u);
    EXPECT_EQ(d.pageCount(), 1);
    // Teacher 39 (k = 38): second half, row 18.
    EXPECT_EQ(at(d, 0, 3 + 2 * 18, 46, 6), g(teacherName(38)));
    ASSERT_EQ(d.printed.size(), 1u);
    EXPECT_EQ(d.printed[0].lines, 43);
}

TEST(WeeklyDocument, FortyTeachersMakeTwoPagesTheSecondUnfilled) {
    const Document d = build(ReportKind::Weekly, counts(40, 6));
    EXPECT_EQ(d.bytes.size(), 2u * 3956u);
    EXPECT_EQ(d.page(1), templateBytes(ReportKind::Weekly));
    // The 21st teacher starts at line 3, column 46 of page 1.
    EXPECT_EQ(at(d, 0, 3, 46, 6), g(teacherName(20)));
    // Only the page with teachers is printed.
    EXPECT_EQ(d.printed.size(), 1u);
}

TEST(WeeklyDocument, FortyFirstTeacherOpensThePageAfterWhichIsExportedButNotPrinted) {
    const Document d = build(ReportKind::Weekly, counts(81, 6));
    EXPECT_EQ(d.pageCount(), 3);
    EXPECT_EQ(at(d, 1, 3, 2, 6), g(teacherName(40)));
    EXPECT_EQ(at(d, 1, 3, 12, 1), "0");
    EXPECT_EQ(at(d, 2, 3, 2, 6), g(teacherName(80)));
    // The print holds the first 40 teachers: page 0, all 43 lines.
    ASSERT_EQ(d.printed.size(), 1u);
    EXPECT_EQ(d.printed[0].page, 0);
    EXPECT_EQ(d.printed[0].lines, 43);
}

TEST(WeeklyDocument, CountsAreDecimalDigitsSixColumnsApart) {
    const Document d = build(ReportKind::Weekly, counts(1, 6));
    // Values 0, 5, 10, 15, 20, 25 at columns 12, 18, … 42; nothing is padded.
    EXPECT_EQ(at(d, 0, 3, 12, 2), "0 ");
    EXPECT_EQ(at(d, 0, 3, 18, 2), "5 ");
    EXPECT_EQ(at(d, 0, 3, 24, 2), "10");
    EXPECT_EQ(at(d, 0, 3, 42, 2), "25");
    // The template around the fields is untouched.
    const std::string tpl = templateBytes(ReportKind::Weekly);
    EXPECT_EQ(d.line(0, 4), std::string_view(tpl).substr(4 * 92, 92));
}

TEST(MonthlyDocument, TwentySixTeachersPutTheLastOnPageTwoLineFive) {
    const Document d = build(ReportKind::Monthly, counts(26, 9));
    EXPECT_EQ(d.pageCount(), 2);
    EXPECT_EQ(at(d, 1, 5, 6, 6), g(teacherName(25)));
    EXPECT_EQ(at(d, 0, 5, 16 + 6 * 8, 2), "40");
    EXPECT_EQ(d.printed.size(), 2u);
}

TEST(MonthlyDocument, TwentyFiveTeachersStillMakeTwoPages) {
    const Document d = build(ReportKind::Monthly, counts(25, 9));
    EXPECT_EQ(d.pageCount(), 2);
    EXPECT_EQ(d.page(1), templateBytes(ReportKind::Monthly));
    EXPECT_EQ(at(d, 0, 5 + 2 * 24, 6, 6), g(teacherName(24)));
}

TEST(MonthlyDocument, BlankSlotsKeepTheirPlace) {
    ReportTable table = counts(3, 9);
    table.counts[1].name = "王";
    const Document d = build(ReportKind::Term, table);
    const std::string tpl = templateBytes(ReportKind::Term);
    EXPECT_EQ(d.line(0, 7), std::string_view(tpl).substr(7 * 78, 78));
    EXPECT_EQ(at(d, 0, 9, 6, 6), g(teacherName(2)));
}

TEST(CountDocuments, WrongNumberOfValuesIsRefused) {
    ReportTable table = counts(2, 6);
    table.counts[1].values.pop_back();
    const reports::BuildResult result =
        reports::buildDocument(ReportKind::Weekly, table, templateBytes(ReportKind::Weekly));
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("第2项"), std::string::npos);
}

// ---- teacher list --------------------------------------------------------------------

ReportTable teacherGrid(int rows, int columns) {
    ReportTable table;
    table.grid.assign(20, std::vector<std::string>(20));
    table.grid[0][0] = "班级";
    for (int c = 1; c < columns; ++c) {
        table.grid[0][std::size_t(c)] = std::string("语数英物化生政史地体音美信劳心综艺科技")
                                            .substr(std::size_t(3 * (c - 1)), 3) +
                                        "文";
    }
    for (int r = 1; r < rows; ++r) {
        table.grid[std::size_t(r)][0] =
            "高一" + std::string("⑴⑵⑶⑷⑸⑹⑺⑻⑼⑽⑾⑿⒀⒁⒂⒃⒄⒅⒆⒇").substr(std::size_t(3 * (r - 1)), 3);
        for (int c = 1; c < columns; ++c) {
            table.grid[std::size_t(r)][std::size_t(c)] = teacherName(r * 20 + c);
        }
    }
    return table;
}

TEST(TeacherListDocument, ThreeRowsFiveColumnsAreTrimmed) {
    const Document d = build(ReportKind::TeacherList, teacherGrid(3, 5));
    const std::string tpl = templateBytes(ReportKind::TeacherList);
    ASSERT_EQ(d.bytes.size(), 5084u);
    ASSERT_EQ(d.pageCount(), 1);
    // Line 6 is the template's bottom border, shortened like the others.
    const std::string_view bottom = std::string_view(tpl).substr(40 * 124, 124);
    EXPECT_EQ(d.line(0, 6).substr(0, 40), bottom.substr(0, 40));
    // From line 7 on: zero bytes only.
    EXPECT_EQ(std::string_view(d.bytes).substr(7 * 124), std::string(5084 - 7 * 124, '\0'));
    for (int l = 0; l <= 6; ++l) {
        const std::string_view line = d.line(0, l);
        const std::string_view original =
            std::string_view(tpl).substr(std::size_t(l == 6 ? 40 : l) * 124, 124);
        EXPECT_EQ(line.substr(40, 2), original.substr(120, 2)) << "line " << l;
        EXPECT_EQ(line.substr(42, 80), std::string(80, ' ')) << "line " << l;
        EXPECT_EQ(line.substr(122), "\r\n") << "line " << l;
    }
    EXPECT_EQ(gbk::fromGbk(d.line(0, 0).substr(40, 2)), "┐");
    EXPECT_EQ(gbk::fromGbk(d.line(0, 6).substr(40, 2)), "┘");
    // Cell (r, c) at line 2r + 1, column 2 + 8c.
    EXPECT_EQ(at(d, 0, 1, 2, 4), g("班级"));
    EXPECT_EQ(at(d, 0, 5, 2 + 8 * 4, 6), g(teacherName(2 * 20 + 4)));
    ASSERT_EQ(d.printed.size(), 1u);
    EXPECT_EQ(d.printed[0].lines, 7);
}

TEST(TeacherListDocument, ANameInTheLastColumnIsCutBeforeTheMovedBorder) {
    // The last of 3 columns is the field 18 … 23; the border is moved to 24-25.
    ReportTable table = teacherGrid(3, 3);
    table.grid[1][2] = "欧阳明华";
    table.grid[2][2] = "a欧阳长名字";
    const Document d = build(ReportKind::TeacherList, table);
    EXPECT_EQ(at(d, 0, 3, 18, 6), g("欧阳明"));
    EXPECT_EQ(at(d, 0, 5, 18, 6), g("a欧阳") + " ");
    for (int l = 1; l <= 5; l += 2) {
        EXPECT_EQ(gbk::fromGbk(at(d, 0, l, 24, 2)), "│") << l;
        EXPECT_EQ(at(d, 0, l, 26, 2), "  ") << l;
    }
}

TEST(TeacherListDocument, AllTwentyRowsKeepTheWholeTemplateHeight) {
    const Document d = build(ReportKind::TeacherList, teacherGrid(20, 15));
    const std::string tpl = templateBytes(ReportKind::TeacherList);
    EXPECT_EQ(d.line(0, 40), std::string_view(tpl).substr(40 * 124, 124));
    EXPECT_EQ(d.line(0, 0), std::string_view(tpl).substr(0, 124));
    EXPECT_EQ(d.printed[0].lines, 41);
}

TEST(TeacherListDocument, ColumnsPastTheFifteenthGoOnASecondPage) {
    const Document d = build(ReportKind::TeacherList, teacherGrid(3, 18));
    ASSERT_EQ(d.pageCount(), 2);
    for (int l = 0; l < 7; ++l) {
        EXPECT_EQ(d.line(0, l).substr(122), "\r\n");
        EXPECT_EQ(d.line(1, l).substr(122), "\r\n");
    }
    // Page 2: the class column, then columns 15, 16, 17; right border at columns 32-33.
    EXPECT_EQ(at(d, 1, 3, 2, 6), g("高一⑴"));
    EXPECT_EQ(at(d, 1, 3, 2 + 8 * 1, 6), g(teacherName(20 + 15)));
    EXPECT_EQ(at(d, 1, 3, 2 + 8 * 3, 6), g(teacherName(20 + 17)));
    EXPECT_EQ(gbk::fromGbk(d.line(1, 3).substr(32, 2)), "│");
    EXPECT_EQ(d.printed.size(), 2u);
}

// ---- duty roster ---------------------------------------------------------------------

ReportTable roster(int classes) {
    ReportTable table;
    std::vector<std::string> heading = {"班级"};
    const char* times[] = {"周一早", "周一晚", "周二早", "周二晚", "周三早",
                           "周三晚", "周四早", "周四晚", "周五早", "周日晚"};
    for (const char* t : times) {
        heading.push_back(t);
    }
    table.grid.push_back(heading);
    for (int c = 0; c < classes; ++c) {
        std::vector<std::string> row = {"班" + std::to_string(100 + c)};
        for (int t = 1; t <= 10; ++t) {
            row.push_back(teacherName(c + t));
        }
        table.grid.push_back(row);
    }
    return table;
}

TEST(DutyRosterDocument, RowsAreTrimmedAndCellsOrderedFromSundayEvening) {
    const Document d = build(ReportKind::DutyRoster, roster(4));
    const std::string tpl = templateBytes(ReportKind::DutyRoster);
    ASSERT_EQ(d.bytes.size(), 11316u);
    // R = 5 rows: bottom border on line 2R + 2 = 12, zero bytes after.
    EXPECT_EQ(d.line(0, 12), std::string_view(tpl).substr(122 * 92, 92));
    EXPECT_EQ(std::string_view(d.bytes).substr(13 * 92), std::string(11316 - 13 * 92, '\0'));
    // Row 0 on line 3: cell 0, then cell 10, then cells 1 … 9.
    EXPECT_EQ(at(d, 0, 3, 2, 4), g("班级"));
    EXPECT_EQ(at(d, 0, 3, 10, 6), g("周日晚"));
    EXPECT_EQ(at(d, 0, 3, 18, 6), g("周一早"));
    EXPECT_EQ(at(d, 0, 3, 82, 6), g("周五早"));
    // Row 4 on line 11.
    EXPECT_EQ(at(d, 0, 11, 2, 5), g("班103"));
    EXPECT_EQ(at(d, 0, 11, 10, 6), g(teacherName(3 + 10)));
    ASSERT_EQ(d.printed.size(), 1u);
    EXPECT_EQ(d.printed[0].lines, 13);
}

TEST(DutyRosterDocument, FiftyNineClassesFillOnePage) {
    const Document d = build(ReportKind::DutyRoster, roster(59));
    EXPECT_EQ(d.pageCount(), 1);
    EXPECT_EQ(at(d, 0, 121, 2, 5), g("班158"));
}

TEST(DutyRosterDocument, MoreClassesGoOnFurtherPagesUnderTheHeadingRow) {
    const Document d = build(ReportKind::DutyRoster, roster(61));
    ASSERT_EQ(d.pageCount(), 2);
    EXPECT_EQ(at(d, 1, 3, 10, 6), g("周日晚"));
    EXPECT_EQ(at(d, 1, 5, 2, 5), g("班159"));
    EXPECT_EQ(at(d, 1, 7, 2, 5), g("班160"));
    EXPECT_EQ(d.line(1, 8),
              std::string_view(templateBytes(ReportKind::DutyRoster)).substr(122 * 92, 92));
    EXPECT_EQ(d.printed.size(), 2u);
}

// ---- timetables ----------------------------------------------------------------------

ReportTable timetable(int classes, int cells) {
    ReportTable table;
    for (int c = 0; c < classes; ++c) {
        ClassTimetable row{"初一" + std::string("⑴⑵⑶⑷⑸⑹⑺⑻⑼⑽⑾⑿").substr(std::size_t(3 * c), 3), {}};
        for (int j = 0; j < cells; ++j) {
            row.cells.push_back(j % 2 ? "数学" : "语文");
        }
        table.classes.push_back(row);
    }
    return table;
}

TEST(GradeTimetableDocument, CellsAreCutBlanksReadSelfStudyAndTheTableIsTrimmed) {
    ReportTable table = timetable(3, 35);
    table.classes[1].cells[0] = "";
    table.classes[1].cells[1] = " 体育";
    table.classes.push_back({"", {}}); // the first blank class ends the list
    table.classes.push_back({"初一⑸", {"英语"}});
    const Document d = build(ReportKind::GradeTimetable, table);
    const std::string tpl = templateBytes(ReportKind::GradeTimetable);
    EXPECT_EQ(at(d, 0, 5, 2, 6), g("初一⑴"));
    EXPECT_EQ(at(d, 0, 5, 10, 2), g("语"));
    EXPECT_EQ(at(d, 0, 5, 14, 2), g("数"));
    EXPECT_EQ(at(d, 0, 5, 146, 2), g("语"));
    EXPECT_EQ(at(d, 0, 7, 10, 2), g("自"));
    EXPECT_EQ(at(d, 0, 7, 14, 2), g("自"));
    // n = 3: bottom border on line 10, zero bytes from line 11.
    EXPECT_EQ(d.line(0, 10), std::string_view(tpl).substr(44 * 152, 152));
    EXPECT_EQ(std::string_view(d.bytes).substr(11 * 152), std::string(6840 - 11 * 152, '\0'));
    ASSERT_EQ(d.printed.size(), 1u);
    EXPECT_EQ(d.printed[0].lines, 11);
}

TEST(ReviewTimetableDocument, SevenDaysMakeTwoPagesWithDaysSixAndSevenOnTheSecond) {
    ReportTable table = timetable(2, 49);
    table.reviewDays = 7;
    table.classes[0].cells[35] = "物理";
    table.classes[0].cells[48] = "";
    table.classes[0].className = "初一⑴班重点";
    const Document d = build(ReportKind::ReviewTimetable, table);
    ASSERT_EQ(d.bytes.size(), 2u * 6840u);
    EXPECT_EQ(gbk::fromGbk(at(d, 1, 1, 19, 6)), "第六天");
    EXPECT_EQ(gbk::fromGbk(at(d, 1, 1, 48, 6)), "第七天");
    EXPECT_EQ(gbk::fromGbk(at(d, 1, 1, 132, 6)), "第十天");
    EXPECT_EQ(gbk::fromGbk(at(d, 0, 1, 19, 6)), "第一天");
    // Class names cut to 6 bytes; day 6 period 1 is cell 36, at column 6 + 4 on page 2.
    EXPECT_EQ(at(d, 0, 5, 2, 6), g("初一⑴"));
    EXPECT_EQ(gbk::fromGbk(at(d, 0, 5, 8, 2)), "║");
    EXPECT_EQ(at(d, 1, 5, 2, 6), g("初一⑴"));
    EXPECT_EQ(at(d, 1, 5, 10, 2), g("物"));
    EXPECT_EQ(at(d, 1, 5, 6 + 4 * 14, 2), g("自"));
    // Nothing of days 8 to 10.
    EXPECT_EQ(at(d, 1, 5, 6 + 4 * 15, 2), "  ");
    // Bottom border on line 4 + 2n = 8; later lines are spaces ending in a line feed.
    const std::string tpl = templateBytes(ReportKind::ReviewTimetable);
    EXPECT_EQ(d.line(0, 8), std::string_view(tpl).substr(44 * 152, 152));
    EXPECT_EQ(d.line(1, 9), std::string(151, ' ') + "\n");
    EXPECT_EQ(d.line(0, 44), std::string(151, ' ') + "\n");
    EXPECT_TRUE(d.printed.empty());
}

TEST(ReviewTimetableDocument, FiveDaysMakeOnePageAndElevenAreRefused) {
    ReportTable table = timetable(2, 35);
    EXPECT_EQ(build(ReportKind::ReviewTimetable, table).pageCount(), 1);
    table.reviewDays = 11;
    EXPECT_FALSE(reports::buildDocument(ReportKind::ReviewTimetable, table,
                                        templateBytes(ReportKind::ReviewTimetable)));
    table.reviewDays = -1;
    EXPECT_FALSE(reports::buildDocument(ReportKind::ReviewTimetable, table,
                                        templateBytes(ReportKind::ReviewTimetable)));
}

TEST(ReviewTimetableDocument, NoReviewDaysStillMakeOnePageWithTheClassNames) {
    // D = 0: (0 − 1) / 5 + 1 = 1 page; nothing becomes self-study.
    ReportTable table = timetable(2, 0);
    table.reviewDays = 0;
    const Document d = build(ReportKind::ReviewTimetable, table);
    ASSERT_EQ(d.pageCount(), 1);
    EXPECT_EQ(at(d, 0, 7, 2, 6), g("初一⑵"));
    EXPECT_EQ(at(d, 0, 7, 10, 2), "  ");
    EXPECT_EQ(d.line(0, 9), std::string(151, ' ') + "\n");
}

TEST(ReviewTimetableDocument, CellsAfterTheLastReviewDayShowAsHeld) {
    // D = 3: days 1 to 3 get "自习" for their empty cells; days 4 and 5 of the first page
    // show what the timetable holds there, empty cells staying empty.
    ReportTable table = timetable(1, 35);
    table.reviewDays = 3;
    table.classes[0].cells[20] = "";     // day 3, period 7
    table.classes[0].cells[21] = "化学"; // day 4, period 1
    table.classes[0].cells[22] = "";     // day 4, period 2
    const Document d = build(ReportKind::ReviewTimetable, table);
    EXPECT_EQ(at(d, 0, 5, 6 + 4 * 21, 2), g("自"));
    EXPECT_EQ(at(d, 0, 5, 6 + 4 * 22, 2), g("化"));
    EXPECT_EQ(at(d, 0, 5, 6 + 4 * 23, 2), "  ");
    EXPECT_EQ(at(d, 0, 5, 6 + 4 * 35, 2), g("语"));
}

// ---- refusals and limits -------------------------------------------------------------

TEST(DocumentLimits, AShortTemplateIsRefused) {
    std::string tpl = templateBytes(ReportKind::Weekly);
    tpl.pop_back();
    const reports::BuildResult result =
        reports::buildDocument(ReportKind::Weekly, counts(1, 6), tpl);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("3955"), std::string::npos);
}

TEST(DocumentLimits, TextGbkCannotEncodeIsRefused) {
    ReportTable table = counts(2, 6);
    table.counts[1].name = "王😀";
    const reports::BuildResult result =
        reports::buildDocument(ReportKind::Weekly, table, templateBytes(ReportKind::Weekly));
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("😀"), std::string::npos);
}

// Every field of the first page holds a text or a number as wide as it can be, or wider.
ReportTable overfilled(ReportKind kind) {
    const std::vector<std::string> texts = {"欧阳长名字老师", "abcdefghijk", "a欧阳明华",
                                            "初一⑴班重点"};
    const auto text = [&texts](std::size_t i) { return texts[i % texts.size()]; };
    ReportTable table;
    const bool weekly = kind == ReportKind::Weekly;
    if (weekly || kind == ReportKind::Monthly || kind == ReportKind::Term) {
        for (std::size_t k = 0; k < (weekly ? 40u : 25u); ++k) {
            table.counts.push_back(
                {text(k), std::vector<long long>(weekly ? 6u : 9u, k % 2 ? 99 : -9)});
        }
    }
    const std::size_t rows = kind == ReportKind::TeacherList ? 20 : 60;
    const std::size_t columns = kind == ReportKind::TeacherList ? 15 : 11;
    if (kind == ReportKind::TeacherList || kind == ReportKind::DutyRoster) {
        for (std::size_t r = 0; r < rows; ++r) {
            table.grid.emplace_back();
            for (std::size_t c = 0; c < columns; ++c) {
                table.grid.back().push_back(text(r + c));
            }
        }
    }
    if (kind == ReportKind::LessonCounts) {
        for (std::size_t r = 0; r < 50; ++r) {
            table.grid.push_back({text(r), text(r + 1), r % 2 ? "999999" : "0"});
        }
    }
    if (kind == ReportKind::GradeTimetable || kind == ReportKind::ReviewTimetable) {
        for (std::size_t p = 0; p < 20; ++p) {
            table.classes.push_back({text(p), {}});
            for (std::size_t j = 0; j < 35; ++j) {
                table.classes.back().cells.push_back(text(p + j));
            }
        }
    }
    return table;
}

TEST(DocumentFields, NoValueLeavesItsField) {
    // Outside the fields the page is the template byte for byte (every rule, border and
    // line end in place), and every line is whole GBK.
    for (ReportKind kind :
         {ReportKind::Weekly, ReportKind::Monthly, ReportKind::Term, ReportKind::TeacherList,
          ReportKind::DutyRoster, ReportKind::GradeTimetable, ReportKind::ReviewTimetable,
          ReportKind::LessonCounts}) {
        const Document d = build(kind, overfilled(kind));
        const auto name = reports::layoutOf(kind).cliName;
        std::string expected = templateBytes(kind);
        for (const Field& f : fieldsOf(kind)) {
            const std::size_t at = std::size_t(f.line * d.lineBytes() + f.column);
            EXPECT_NE(d.bytes[at], ' ') << name << " line " << f.line << " column " << f.column;
            std::copy_n(d.bytes.begin() + std::ptrdiff_t(at), f.width,
                        expected.begin() + std::ptrdiff_t(at));
        }
        EXPECT_EQ(d.page(0), expected) << name;
        for (int l = 0; l < reports::layoutOf(kind).lines; ++l) {
            const std::string_view line = d.line(0, l);
            EXPECT_EQ(gbk::toGbk(gbk::fromGbk(line)), std::string(line)) << name << " line " << l;
        }
    }
}

TEST(DocumentFields, ANumberWiderThanItsFieldIsRefusedNamingEntryAndColumn) {
    struct Case {
        ReportKind kind;
        std::size_t value;
        long long number;
        const char* message;
    };
    const std::vector<Case> cases = {
        {ReportKind::Weekly, 0, 100, "第2项（李一老）的“迟到”为100，超出了栏宽（最多2位）"},
        {ReportKind::Weekly, 5, -10, "第2项（李一老）的“公代”为-10"},
        {ReportKind::Monthly, 8, 999999, "第2项（李一老）的“超课时”为999999"},
        {ReportKind::Term, 0, 100, "第2项（李一老）的“督修出席”为100"},
    };
    for (const Case& c : cases) {
        ReportTable table = counts(3, c.kind == ReportKind::Weekly ? 6 : 9);
        table.counts[1].values[c.value] = c.number;
        const reports::BuildResult result =
            reports::buildDocument(c.kind, table, templateBytes(c.kind));
        EXPECT_FALSE(result) << c.message;
        EXPECT_NE(result.error.find(c.message), std::string::npos) << result.error;
    }
}

TEST(DocumentFields, APeriodCellGbkCannotEncodeIsRefusedNamingIt) {
    // Refused whole, whether it is blank by its width, starts with a space, or has a
    // character before the one GBK cannot encode; never shown as 自 or cut to its first
    // character.
    for (const std::string cell : {"😀", "a😀", " 😀", "语😀"}) {
        for (ReportKind kind : {ReportKind::GradeTimetable, ReportKind::ReviewTimetable}) {
            ReportTable table = timetable(2, 49);
            table.reviewDays = 7;
            const std::size_t index = kind == ReportKind::GradeTimetable ? 9 : 40;
            table.classes[1].cells[index] = cell;
            const reports::BuildResult result =
                reports::buildDocument(kind, table, templateBytes(kind));
            EXPECT_FALSE(result) << cell;
            const std::string where =
                kind == ReportKind::GradeTimetable ? "初一⑵星期二第3节" : "初一⑵第六天第6节";
            EXPECT_NE(result.error.find(where + "：“" + cell + "”中的“😀”不能用GBK编码"),
                      std::string::npos)
                << result.error;
        }
    }
}

} // namespace

namespace {

TEST(LessonCounts, ATotalWiderThanItsColumnStopsTheBuildRatherThanBeCut) {
    ReportTable table;
    table.grid = {{"王伟", "语文", "6"}, {"李娜", "数学", "1234567"}};
    const reports::BuildResult result = reports::buildDocument(
        ReportKind::LessonCounts, table, templateBytes(ReportKind::LessonCounts));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, "第2行第3列为1234567，超出了栏宽（最多6位），报表没有写出。");
}

} // namespace
