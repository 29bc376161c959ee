// Cover planning over the small 初一 in memory: the lessons 王伟 misses over three days (and
// over a weekend into the next week), the refusals, nobody given two classes in one period
// (within a plan, against the records, within his day load), the fairness order by covers
// this term, and swaps offered only where the exchange breaks no rule of the timetable.
#include "CoverTestSchool.h"

#include "cover/CoverPlanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using cover::CoverLesson;
using cover::CoverPlan;
using cover::CoverPlanner;
using covertest::blocking;
using covertest::kFriday;
using covertest::kMonday;
using covertest::kTuesday;
using covertest::record;
using covertest::smallSchool;

struct Missed {
    std::string date;
    int week;
    int day;
    int period;
    std::string className;
    std::string course;
    friend bool operator==(const Missed&, const Missed&) = default;
};

std::vector<Missed> missed(const CoverPlan& plan) {
    std::vector<Missed> out;
    for (const CoverLesson& l : plan.lessons) {
        out.push_back({cover::dateText(l.date), l.week, l.day, l.period, l.className, l.course});
    }
    return out;
}

CoverPlan planOf(const CoverPlanner& planner, const std::string& from, const std::string& to) {
    CoverPlanner::Made made = planner.plan("王伟", from, to, "事假");
    EXPECT_TRUE(made.plan) << made.refusal;
    return made.plan.value_or(CoverPlan{});
}

std::vector<std::string> names(const std::vector<cover::CoverChoice>& choices) {
    std::vector<std::string> out;
    for (const cover::CoverChoice& c : choices) {
        out.push_back(c.candidate.teacher);
    }
    return out;
}

TEST(CoverPlannerTest, ListsTheLessonsMissedOverThreeDays) {
    const CoverPlanner planner(smallSchool());
    const CoverPlan plan = planOf(planner, "2024-09-09", "2024-09-11");
    EXPECT_EQ(plan.request.category, "事  假");
    EXPECT_EQ(plan.timetableDigest, "in memory");
    EXPECT_EQ(missed(plan), (std::vector<Missed>{{"2024-09-09", 2, 0, 1, "初一⑴", "数学"},
                                                 {"2024-09-09", 2, 0, 3, "初一⑵", "数学"},
                                                 {"2024-09-10", 2, 1, 2, "初一⑴", "数学"},
                                                 {"2024-09-11", 2, 2, 1, "初一⑵", "数学"}}));
    // Friday has no lesson of his, the weekend none at all; Monday is week 3.
    EXPECT_EQ(missed(planOf(planner, "2024-09-13", "2024-09-16")),
              (std::vector<Missed>{{"2024-09-16", 3, 0, 1, "初一⑴", "数学"},
                                   {"2024-09-16", 3, 0, 3, "初一⑵", "数学"}}));
    // One date alone, the last date left empty.
    EXPECT_EQ(planner.plan("王伟", "2024-9-12", "", "公  假").plan->lessons.size(), 1u);
    EXPECT_EQ(cover::lessonLabel(plan.lessons[1]), "9月9日 星期一 第三节 初一⑵");
}

TEST(CoverPlannerTest, RefusesWhatCannotBePlanned) {
    struct Case {
        std::string teacher, from, to, category, refusal;
    };
    const std::vector<Case> cases = {
        {"王伟", "2024-08-30", "2024-09-03", "事假",
         "日期 2024-08-30 在第一周之前（第一周从 2024-09-02 开始）。"},
        {"王伟", "2025-10-20", "2025-10-27", "事假", "日期 2025-10-27 在第 60 周之后。"},
        {"王伟", "2024-09-13", "", "事假", "王伟 在 2024-09-13 没有课。"},
        {"王伟", "2024-09-14", "2024-09-15", "事假", "王伟 在 2024-09-14 至 2024-09-15 没有课。"},
        {"钱多", "2024-09-09", "", "事假", "教师名单中没有“钱多”。"},
        {"王伟", "2024-09-09", "", "迟到", "性质应为 事  假、公  假 或 缺  勤。"},
        {"王伟", "2024-09-11", "2024-09-09", "事假", "起始日期不能晚于终止日期。"},
        {"王伟", "2024-13-01", "", "事假", "请输入日期，如 2024-09-09。"},
    };
    const CoverPlanner planner(smallSchool());
    for (const Case& c : cases) {
        const CoverPlanner::Made made = planner.plan(c.teacher, c.from, c.to, c.category);
        EXPECT_FALSE(made.plan) << c.from;
        EXPECT_EQ(made.refusal, c.refusal);
    }
    // The last day of week 60 is still taken.
    EXPECT_EQ(planner.plan("王伟", "2025-10-20", "2025-10-26", "事假").plan->lessons.size(), 5u);

    cover::CoverSchool empty = smallSchool();
    empty.timetable = covertest::timetableOf({});
    EXPECT_EQ(CoverPlanner(empty).plan("王伟", "2024-09-09", "", "事假").refusal,
              "课程表中还没有课，请先编排并保存年段课程表。");

    cover::CoverSchool unset = smallSchool();
    unset.settings.weekOneMonday.clear();
    EXPECT_EQ(CoverPlanner(unset).plan("王伟", "2024-09-09", "", "事假").refusal,
              "请先在“学校信息与作息时间”中设置第一周星期一的日期。");
}

TEST(CoverPlannerTest, NobodyIsGivenTwoClassesAtOnce) {
    // 王伟 also holds a combined lesson of ⑴ and ⑵ in Monday's period 5.
    const CoverPlanner planner(smallSchool({{"王伟", 0, kMonday, 5}, {"王伟", 1, kMonday, 5}}));
    CoverPlan plan = planOf(planner, "2024-09-09", "");
    ASSERT_EQ(plan.lessons.size(), 4u);
    EXPECT_EQ(names(planner.candidates(plan, 0)),
              (std::vector<std::string>{"李娜", "周杰", "陈静", "刘洋", "张强"}));
    planner.assignFirst(plan);
    EXPECT_EQ(plan.lessons[2].period, 5);
    EXPECT_EQ(plan.lessons[2].substitute, "李娜");
    EXPECT_EQ(plan.lessons[3].substitute, "周杰");
    const std::vector<std::string> atFive = names(planner.candidates(plan, 3));
    EXPECT_EQ(std::count(atFive.begin(), atFive.end(), "李娜"), 0);
    EXPECT_TRUE(planner.conflicts(plan).empty());
    // Given by hand to a teacher taken in that period, the lesson is named as a conflict.
    plan.lessons[1].substitute = "周杰";
    plan.lessons[3].substitute = "李娜";
    EXPECT_EQ(planner.conflicts(plan),
              (std::vector<std::string>{"9月9日 星期一 第五节 初一⑴：李娜 已不能代课",
                                        "9月9日 星期一 第五节 初一⑵：李娜 已不能代课"}));

    // The records: 李娜 covers 孙丽 in period 1, 周杰 is away then himself.
    const CoverPlanner recorded(
        smallSchool({}, {record("孙丽", "2024-09-09", "第一节", "公  假", "李娜"),
                         record("周杰", "2024-09-09", "第一节", "事  假", "", "初一⑶")}));
    CoverPlan monday = planOf(recorded, "2024-09-09", "");
    EXPECT_EQ(names(recorded.candidates(monday, 0)),
              (std::vector<std::string>{"陈静", "刘洋", "张强"}));
    EXPECT_EQ(names(recorded.candidates(monday, 1)).front(), "李娜");

    // A record keeps the first 6 bytes of a name: both teachers it may stand for are taken.
    cover::CoverSchool sharing =
        smallSchool({}, {record("孙丽", "2024-09-09", "第一节", "公  假", "欧阳明")});
    sharing.roster.insert(sharing.roster.end(), {"欧阳明月", "欧阳明辉"});
    const CoverPlanner shared(std::move(sharing));
    const CoverPlan sharedPlan = planOf(shared, "2024-09-09", "");
    EXPECT_EQ(names(shared.candidates(sharedPlan, 0)),
              (std::vector<std::string>{"李娜", "周杰", "陈静", "刘洋", "张强"}));
    const std::vector<std::string> third = names(shared.candidates(sharedPlan, 1));
    EXPECT_EQ(std::count(third.begin(), third.end(), "欧阳明月"), 1);

    // Three covers that day on top of his own lesson reach 李娜's day load of four.
    const CoverPlanner loaded(smallSchool({{"王伟", 0, kMonday, 5}, {"王伟", 1, kMonday, 6}}));
    CoverPlan busy = planOf(loaded, "2024-09-09", "");
    loaded.assignFirst(busy);
    std::vector<std::string> given;
    for (const CoverLesson& l : busy.lessons) {
        given.push_back(l.substitute);
    }
    EXPECT_EQ(given, (std::vector<std::string>{"李娜", "李娜", "李娜", "周杰"}));
}

TEST(CoverPlannerTest, FewerCoversThisTermComeFirstWithinTheirGroup) {
    // 陈静 covered twice in week 1; 刘洋 once in week 26, which is no longer this term.
    const CoverPlanner planner(
        smallSchool({}, {record("孙丽", "2024-09-03", "第二节", "公  假", "陈静", "初一⑵", "1"),
                         record("孙丽", "2024-09-04", "第二节", "事  假", "陈静", "初一⑵", "1"),
                         record("孙丽", "2025-02-24", "第二节", "公  假", "刘洋", "初一⑵", "26")}));
    CoverPlan plan = planOf(planner, "2024-09-09", "2024-09-10");
    const std::vector<cover::CoverChoice> choices = planner.candidates(plan, 0);
    EXPECT_EQ(names(choices), (std::vector<std::string>{"李娜", "周杰", "刘洋", "张强", "陈静"}));
    EXPECT_EQ(choices.back().reason(), "当天0节 · 本周1节 · 本学期代课 2 节");
    EXPECT_EQ(choices.front().reason(), "同科 · 当天1节 · 本周2节 · 本学期代课 0 节");
    // A cover given in this plan counts too.
    plan.lessons[0].substitute = "李娜";
    EXPECT_EQ(planner.candidates(plan, 2).front().termCovers, 1);
}

TEST(CoverPlannerTest, OffersASwapOnlyWhereItBreaksNoRule) {
    struct Case {
        const char* what;
        std::vector<covertest::Placed> extra;
        std::vector<std::pair<std::string, std::string>> presets;
        bool offered;
        int englishRooms = 0; // a limit on 英语 classes at once (初一⑶ has 英语 then)
    };
    const std::vector<Case> cases = {
        {"free on both sides", {{"刘洋", 0, kFriday, 2}}, {}, true},
        {"a preset where he would go",
         {{"刘洋", 0, kFriday, 2}},
         {{"刘洋", blocking(0, 1)}},
         false},
        {"the absent teacher's preset",
         {{"刘洋", 0, kFriday, 2}},
         {{"王伟", blocking(kFriday, 2)}},
         false},
        {"busy in another class then", {{"孙丽", 0, kFriday, 2}}, {}, false},
        {"the absent teacher busy then",
         {{"刘洋", 0, kFriday, 2}, {"王伟", 1, kFriday, 2}},
         {},
         false},
        {"over his day load",
         {{"刘洋", 0, kFriday, 2},
          {"刘洋", 1, kMonday, 4},
          {"刘洋", 1, kMonday, 5},
          {"刘洋", 1, kMonday, 6}},
         {},
         false},
        {"on a day the teacher is away", {{"刘洋", 0, kTuesday, 5}}, {}, false},
        {"a resource at its limit", {{"刘洋", 0, kFriday, 2}}, {}, true, 2},
        {"a resource over its limit", {{"刘洋", 0, kFriday, 2}}, {}, false, 1},
    };
    for (const Case& c : cases) {
        cover::CoverSchool school = smallSchool(c.extra, {}, c.presets);
        if (c.englishRooms > 0) {
            school.data.addCourseshare("英语", c.englishRooms);
        }
        const CoverPlanner planner(std::move(school));
        const CoverPlan plan = planOf(planner, "2024-09-09", "2024-09-11");
        const std::vector<cover::Swap> swaps = planner.swaps(plan, 0);
        ASSERT_FALSE(swaps.empty()) << c.what;
        // 张强's Thursday lesson is always there to exchange with.
        EXPECT_EQ(swaps.front(),
                  (cover::Swap{*school::DateTime::fromText("2024-09-12"), 3, 3, "张强", "语文"}))
            << c.what;
        const bool offered = std::any_of(swaps.begin(), swaps.end(), [&](const cover::Swap& s) {
            return s.teacher == c.extra.front().teacher;
        });
        EXPECT_EQ(offered, c.offered) << c.what;
    }

    // A swap in the plan takes its teacher in the missed period and its lesson from the others.
    const CoverPlanner planner(smallSchool({{"刘洋", 0, kFriday, 2}}));
    CoverPlan plan = planOf(planner, "2024-09-09", "2024-09-11");
    plan.lessons[0].swap = planner.swaps(plan, 0).front();
    EXPECT_EQ(cover::swapText(*plan.lessons[0].swap),
              "调课：与 9月12日 星期四 第三节 语文（张强）对调");
    EXPECT_FALSE(plan.lessons[0].uncovered());
    const std::vector<std::string> second = names(planner.candidates(plan, 2));
    EXPECT_EQ(std::count(second.begin(), second.end(), "张强"), 1); // another day
    plan.lessons[1].substitute.clear();
    EXPECT_TRUE(planner.conflicts(plan).empty());
}

} // namespace
