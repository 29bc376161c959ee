// The cover notice of a plan: a page a day, by period, with the substitute, nobody, or the
// swap (on both days it touches), and the same as text to paste.
#include "CoverTestSchool.h"

#include "cover/CoverNotice.h"
#include "cover/CoverPlanner.h"

#include <gtest/gtest.h>

namespace {

using cover::CoverPlan;
using publish::Lines;

std::vector<std::vector<std::string>> table(const publish::Page& page) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t r = 0; r < page.cells.size(); ++r) {
        std::vector<std::string> row{page.rowHeads[r].front()};
        for (const Lines& cell : page.cells[r]) {
            row.push_back(cell.empty() ? "" : cell.front());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TEST(CoverNoticeTest, APageADayWithSubstitutesSwapsAndTheUncovered) {
    const cover::CoverPlanner planner(covertest::smallSchool());
    CoverPlan plan = *planner.plan("王伟", "2024-09-09", "2024-09-10", "事假").plan;
    planner.assignFirst(plan);
    plan.lessons[0].substitute.clear();
    plan.lessons[0].swap = planner.swaps(plan, 0).at(0); // 张强, Wednesday period 4
    plan.lessons[2].substitute.clear();

    const std::vector<publish::Page> pages = cover::noticePages(plan, "育才中学");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].title, "育才中学 代课通知单（2024-09-09 星期一）");
    EXPECT_EQ(pages[0].name, "9月9日");
    EXPECT_EQ(pages[0].kind, publish::PageKind::Notice);
    EXPECT_EQ(pages[0].corner, "节别");
    EXPECT_EQ(pages[0].columnHeads,
              (std::vector<std::string>{"班级", "学科", "缺课教师", "代课教师", "说明"}));
    EXPECT_EQ(table(pages[0]),
              (std::vector<std::vector<std::string>>{
                  {"第一节", "初一⑴", "数学", "王伟", "张强", "调课：与 9月11日 第四节 语文 对调"},
                  {"第三节", "初一⑵", "数学", "王伟", "李娜", "事  假"}}));
    EXPECT_EQ(table(pages[1]), (std::vector<std::vector<std::string>>{
                                   {"第二节", "初一⑴", "数学", "王伟", "无人代课", "事  假"}}));
    EXPECT_EQ(pages[2].title, "育才中学 代课通知单（2024-09-11 星期三）");
    EXPECT_EQ(table(pages[2]),
              (std::vector<std::vector<std::string>>{
                  {"第四节", "初一⑴", "数学", "张强", "王伟", "调课：与 9月9日 第一节 对调"}}));
    EXPECT_EQ(pages[2].notes,
              (std::vector<std::string>{"缺课教师：王伟（事  假，2024-09-09 至 2024-09-10）"}));

    EXPECT_EQ(cover::noticeText(pages),
              "育才中学 代课通知单（2024-09-09 星期一）\n"
              "第一节 初一⑴ 数学 王伟 → 张强（调课：与 9月11日 第四节 语文 对调）\n"
              "第三节 初一⑵ 数学 王伟 → 李娜（事  假）\n"
              "\n"
              "育才中学 代课通知单（2024-09-10 星期二）\n"
              "第二节 初一⑴ 数学 王伟 → 无人代课（事  假）\n"
              "\n"
              "育才中学 代课通知单（2024-09-11 星期三）\n"
              "第四节 初一⑴ 数学 张强 → 王伟（调课：与 9月9日 第一节 对调）\n");
    EXPECT_EQ(cover::noticePages(plan, "")[0].title, "代课通知单（2024-09-09 星期一）");
}

} // namespace
