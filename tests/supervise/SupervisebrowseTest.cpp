// The duty roster grid built from [supervise] rows: classes in the order the table first names
// them, each teacher under its time, the rare times dropped or kept, every class of a full
// school kept, and the document's column order.
#include "supervise/Supervisebrowse.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "reports/DocumentBuilder.h"
#include "reports/ReportLayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using supervise::DutyGrid;
using supervise::dutyGrid;
using Names = std::vector<std::string>;
using Rows = std::vector<store::SuperviseRow>;

const Names kUsual = {"班级",   "周一早", "周一晚", "周二早", "周二晚", "周三早",
                      "周三晚", "周四早", "周四晚", "周五早", "周日晚"};

TEST(Supervisebrowse, BuildsTheGridFromTheRows) {
    struct Case {
        const char* what;
        Rows rows;
        Names headings;                // shown in the list
        std::vector<Names> classCells; // rows 1 … of the grid, the first cells
    };
    const std::vector<Case> cases = {
        {"empty: the heading only", {}, kUsual, {}},
        {"first-appearance order, a later row for a class and time wins",
         {{"初二⑴", "周二晚", "王伟"},
          {"初一⑴", "周二晚", "李娜"},
          {"初二⑴", "周一早", "陈静"},
          {"初二⑴", "周二晚", "张强"}},
         kUsual,
         {{"初二⑴", "陈静", "", "", "张强"}, {"初一⑴", "", "", "", "李娜"}}},
        {"周日晚 moves to cell 10; an unknown time only lists the class; a blank class is passed",
         {{"初一⑴", "周日晚", "王伟"}, {"初一⑵", "周八早", "李娜"}, {"", "周一早", "陈静"}},
         kUsual,
         {{"初一⑴", "", "", "", "", "", "", "", "", "", "王伟"}, {"初一⑵"}}},
        {"周六早 in use keeps its column; the unused rare times still go",
         {{"高一⑴", "周六早", "欧阳明"}, {"高一⑴", "周日晚", "王伟"}, {"高一⑵", "周五早", "李娜"}},
         {"班级", "周一早", "周一晚", "周二早", "周二晚", "周三早", "周三晚", "周四早", "周四晚",
          "周五早", "周六早", "周日晚"},
         {{"高一⑴", "", "", "", "", "", "", "", "", "", "欧阳明", "王伟"},
          {"高一⑵", "", "", "", "", "", "", "", "", "李娜"}}},
        {"every rare time in use keeps all fourteen; long names are cut to 8 bytes",
         {{"初三⑴", "周五晚", "司马相如甲"},
          {"初三⑴", "周六早", "乙乙"},
          {"初三⑴", "周六晚", "丙丙"},
          {"初三⑴", "周日早", "丁丁"}},
         {"班级", "周一早", "周一晚", "周二早", "周二晚", "周三早", "周三晚", "周四早", "周四晚",
          "周五早", "周五晚", "周六早", "周六晚", "周日早", "周日晚"},
         {{"初三⑴", "", "", "", "", "", "", "", "", "", "司马相如", "乙乙", "丙丙", "丁丁"}}},
    };
    for (const Case& c : cases) {
        const DutyGrid grid = dutyGrid(c.rows);
        EXPECT_EQ(supervise::shownHeadings(grid), c.headings) << c.what;
        ASSERT_EQ(grid.size(), c.classCells.size() + 1) << c.what;
        for (std::size_t r = 0; r < c.classCells.size(); ++r) {
            Names cells = c.classCells[r];
            cells.resize(supervise::kGridCells);
            EXPECT_EQ(grid[r + 1], cells) << c.what << " row " << r + 1;
        }
    }
}

TEST(Supervisebrowse, TheDocumentHoldsEveryClassOfAFullSchoolSundayEveningSecond) {
    Rows rows;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            rows.push_back({school::className(g, c), "周日晚", "教师" + std::to_string(c)});
            rows.push_back({school::className(g, c), "周一早", "王伟"});
        }
    }
    const DutyGrid grid = dutyGrid(rows);
    ASSERT_EQ(grid.size(), 121u);
    EXPECT_EQ(grid.back()[0], "高三⒇");

    std::ifstream in(std::string(TAVLEN_TEMPLATE_DIR) + "/supervis", std::ios::binary);
    const std::string templateBytes{std::istreambuf_iterator<char>(in), {}};
    const reports::BuildResult built = reports::buildDocument(
        reports::ReportKind::DutyRoster, supervise::dutyRosterTable(grid), templateBytes);
    ASSERT_TRUE(built) << built.error;
    const reports::Document& document = *built.document;
    // 59 classes a page under the heading row: 120 classes take three pages.
    ASSERT_EQ(document.pageCount(), 3);
    const auto line = [&](int page, int l) { return gbk::fromGbk(document.line(page, l)); };
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(line(page, 3).find("│班级  ║周日晚│周一早│"), 0u) << line(page, 3);
    }
    EXPECT_EQ(line(0, 5).find("│初一⑴║教师1 │王伟  │"), 0u) << line(0, 5);
    EXPECT_EQ(line(2, 5).find("│高三⒆║教师19│王伟  │"), 0u) << line(2, 5);
    EXPECT_EQ(line(2, 7).find("│高三⒇║教师20│王伟  │"), 0u) << line(2, 7);
    EXPECT_EQ(supervise::dutyRosterPrintTitle(grid), "班  级  年  段  督  修  表");
}

} // namespace
