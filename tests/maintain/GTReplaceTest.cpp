// GTReplace on a temporary database: the teachers of a grade's classes land in the
// same-numbered classes of the new grade, in place or added at the end, only for the courses
// the new grade plans; classes whose first course has no teacher, courses without a teacher
// and rows outside the plan stay; a grade onto itself refreshes the weekly counts; an
// unplanned grade, a missing choice, a declined question and nothing to change write nothing;
// a failed write leaves the table as it was.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "maintain/GTReplace.h"
#include "store/CCCRecord.h"
#include "store/CGCRecord.h"
#include "store/CGLRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using maintain::GTReplace;
using Outcome = GTReplace::Outcome;
using Plans = std::vector<store::ClasscourseRow>;
using Kind = testsupport::RecordingMessenger::Entry::Kind;

Plans plans() {
    return store::CCCRecord().readAll();
}

// 初二 plans 语文, 数学, 英语 and 物理 for its week; 化学 only for its review, 历史 only for 初三.
const std::vector<store::GradecourseRow> kGradePlan = {
    {"初二", "语文", 6, 0}, {"初二", "数学", 5, 0}, {"初三", "历史", 2, 0},
    {"初二", "英语", 5, 0}, {"初二", "化学", 2, 3}, {"初二", "物理", 3, 0},
};

// 初一⑴ has every planned course and 化学; 初一⑵ has no 语文 teacher (a name of 2 bytes), so
// nothing of it is carried; 初一⑶ names its 数学 teacher twice (the later row counts) and has
// no 物理 teacher. 初二⑴ has no rows yet; 初二⑵ and 初二⑶ have their own.
const Plans kPlans = {
    {"初一⑴", "语文", "王伟", 6}, {"初一⑴", "数学", "李娜", 5},   {"初一⑴", "英语", "张强", 5},
    {"初一⑴", "化学", "陈静", 2}, {"初一⑴", "物理", "刘洋", 3},   {"初一⑵", "语文", "王", 6},
    {"初一⑵", "数学", "赵敏", 5}, {"初一⑶", "语文", "孙丽", 6},   {"初一⑶", "数学", "周杰", 5},
    {"初一⑶", "物理", "", 3},     {"初二⑵", "语文", "旧语文", 4}, {"初二⑵", "数学", "旧数学", 4},
    {"初二⑶", "历史", "吴刚", 2}, {"初二⑶", "数学", "旧数学", 4}, {"初二⑶", "物理", "旧物理", 2},
    {"初一⑶", "数学", "郑华", 5},
};

class GTReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CGCRecord().append(kGradePlan);
        store::CCCRecord().append(kPlans);
    }

    Outcome run(const std::string& former, const std::string& next) {
        logic.setFormerGrade(former);
        logic.setNewGrade(next);
        return logic.replace();
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    GTReplace logic{messenger};
};

TEST_F(GTReplaceTest, CarriesThePlannedCoursesTeachersToTheSameNumberedClasses) {
    EXPECT_EQ(run("初一", "初二"), Outcome::Done);
    ASSERT_EQ(messenger.entries().size(), 1U);
    EXPECT_EQ(messenger.entries()[0].kind, Kind::Confirm);
    // 初二⑴ and 初二⑶ change; 初二⑵ does not, its former class has no first teacher.
    EXPECT_EQ(messenger.entries()[0].text, "将把 初一 的任课教师替换到 初二 的 2 个班，继续吗？");

    Plans expected = kPlans;
    // In place, with the planned weekly count: 初二⑶'s 数学 from the later 初一⑶ row; its
    // 物理 keeps its teacher (none in 初一⑶) and its count; 历史 is not planned.
    expected[13] = {"初二⑶", "数学", "郑华", 5};
    // At the end, class by class: 初二⑴'s courses in plan order, without 化学, then 初二⑶'s
    // missing 语文.
    expected.push_back({"初二⑴", "语文", "王伟", 6});
    expected.push_back({"初二⑴", "数学", "李娜", 5});
    expected.push_back({"初二⑴", "英语", "张强", 5});
    expected.push_back({"初二⑴", "物理", "刘洋", 3});
    expected.push_back({"初二⑶", "语文", "孙丽", 6});
    EXPECT_EQ(plans(), expected);
}

// The new grade's timetable names 初二⑶'s former 数学 teacher; carried from 初一⑶, 郑华
// takes his cells on 是 (not 初二⑵'s, not Saturday's), and then clashes with his own 初一⑶
// lesson on Thursday. On 否 only the class plans change.
TEST_F(GTReplaceTest, TheTimetableFollowsThePlansOnRequestAndItsClashesAreListed) {
    using Lessons = std::vector<store::GradelessonRow>;
    const Lessons lessons = {
        {"初二⑶", 20301, {"旧数学", "旧物理", "吴刚", "旧数学", "", "旧数学", ""}},
        {"初二⑵", 20201, {"旧数学", "", "", "", "", "", ""}},
        {"初一⑶", 10301, {"", "", "", "郑华", "", "", ""}},
    };
    struct Case {
        bool answer;
        Lessons after;
        std::vector<std::string> clashes;
    };
    Lessons replaced = lessons;
    replaced[0].days = {"郑华", "旧物理", "吴刚", "郑华", "", "旧数学", ""};
    const Case cases[] = {
        {true, replaced, {"郑华 星期四第一节：初一⑶、初二⑶"}},
        {false, lessons, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        store::CCCRecord().replaceAll(kPlans);
        store::CGLRecord().replaceAll(lessons);
        messenger.clear();
        messenger.scriptAnswers({true, c.answer});
        EXPECT_EQ(run("初一", "初二"), Outcome::Done);
        EXPECT_EQ(store::CGLRecord().readAll(), c.after);
        EXPECT_EQ(plans()[13], (store::ClasscourseRow{"初二⑶", "数学", "郑华", 5}));
        std::vector<std::string> expected = {"将把 初一 的任课教师替换到 初二 的 2 个班，继续吗？",
                                             GTReplace::kTimetableQuestion};
        if (!c.clashes.empty()) {
            expected.push_back(std::string(GTReplace::kClashesAfter) + "\n" + c.clashes[0]);
        }
        EXPECT_EQ(messenger.texts(), expected);
    }

    // A timetable that cannot be written leaves the class plans as they were: both change in
    // one transaction.
    store::CCCRecord().replaceAll(kPlans);
    store::CGLRecord().replaceAll(lessons);
    db.execute("CREATE TRIGGER refuse BEFORE UPDATE ON [gradelesson] "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    messenger.scriptAnswers({true, true});
    EXPECT_THROW(run("初一", "初二"), store::DbError);
    EXPECT_EQ(plans(), kPlans);
    EXPECT_EQ(store::CGLRecord().readAll(), lessons);
}

TEST_F(GTReplaceTest, AGradeOntoItselfKeepsItsTeachersAndTakesThePlannedCounts) {
    EXPECT_EQ(run("初二", "初二"), Outcome::Done);
    // 初二⑵ has a 语文 teacher, so its first course qualifies it; 初二⑶ has none and stays.
    EXPECT_TRUE(messenger.said("将把 初二 的任课教师替换到 初二 的 1 个班，继续吗？"));
    Plans expected = kPlans;
    expected[10].weekly = 6;
    expected[11].weekly = 5;
    EXPECT_EQ(plans(), expected);

    // Carried again, nothing changes: nothing is asked or written.
    messenger.clear();
    EXPECT_EQ(run("初二", "初二"), Outcome::Done);
    EXPECT_EQ(messenger.texts(), std::vector<std::string>{GTReplace::kNothingToReplace});
    EXPECT_EQ(plans(), expected);
}

TEST_F(GTReplaceTest, AGradeWithoutFourPlannedCoursesClosesTheDialogUnwritten) {
    struct Case {
        const char* what;
        std::vector<store::GradecourseRow> plan;
    };
    const std::vector<Case> cases = {
        {"no plan", {}},
        {"three courses", {{"初二", "语文", 6, 0}, {"初二", "数学", 5, 0}, {"初二", "英语", 5, 0}}},
        {"review rows and blank names do not count",
         {{"初二", "语文", 6, 0},
          {"初二", "数学", 5, 2},
          {"初二", "英", 5, 0},
          {"初二", "英语", 5, 0},
          {"初二", "物理", 3, 5}}},
    };
    for (const Case& c : cases) {
        store::CGCRecord().replaceAll(c.plan);
        messenger.clear();
        EXPECT_EQ(run("初一", "初二"), Outcome::Close) << c.what;
        EXPECT_EQ(messenger.texts(), std::vector<std::string>{"请设置新年段学科及课时!"}) << c.what;
        EXPECT_EQ(plans(), kPlans) << c.what;
    }
}

TEST_F(GTReplaceTest, AtMostTwentyPlannedCoursesAndOnlyReadableRowsAreCarried) {
    std::vector<store::GradecourseRow> plan;
    Plans former;
    for (int k = 0; k < 21; ++k) {
        const std::string course = "课程" + std::to_string(10 + k);
        plan.push_back({"高二", course, 2, 0});
        former.push_back({"高一⑴", course, "教师" + std::to_string(10 + k), 2});
    }
    // An unreadable count plans nothing: the first valid twenty follow it.
    store::CGCRecord().replaceAll({});
    db.execute("INSERT INTO [gradecourse] ([年段], [学科], [周课时], [天数]) "
               "VALUES ('高二', '课程09', 'abc', 0)");
    store::CGCRecord().append(plan);
    former.push_back({"高一⑴", "课程09", "教师09", 2});
    store::CCCRecord().replaceAll(former);

    EXPECT_EQ(run("高一", "高二"), Outcome::Done);
    Plans expected = former;
    for (int k = 0; k < 20; ++k) {
        expected.push_back(
            {"高二⑴", "课程" + std::to_string(10 + k), "教师" + std::to_string(10 + k), 2});
    }
    EXPECT_EQ(plans(), expected);
}

TEST_F(GTReplaceTest, RefusalsAndADeclinedQuestionWriteNothing) {
    struct Case {
        const char* former;
        const char* next;
        bool answer;
        Outcome outcome;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"", "初二", true, Outcome::Stopped, GTReplace::kNoGrades},
        {"初一", "初四", true, Outcome::Stopped, GTReplace::kNoGrades},
        {"初一", "初二", false, Outcome::Stopped,
         "将把 初一 的任课教师替换到 初二 的 2 个班，继续吗？"},
        // 高一 has no rows: nothing to carry.
        {"高一", "初二", true, Outcome::Done, GTReplace::kNothingToReplace},
    };
    for (const Case& c : cases) {
        messenger.clear();
        messenger.setDefaultAnswer(c.answer);
        EXPECT_EQ(run(c.former, c.next), c.outcome) << c.former << c.next;
        EXPECT_EQ(messenger.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(plans(), kPlans) << c.former << c.next;
    }
}

TEST_F(GTReplaceTest, AFailedWriteLeavesTheTableAsItWas) {
    // The in-place changes come first and succeed; the first added row fails.
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [classcourse] "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(run("初一", "初二"), store::DbError);
    EXPECT_EQ(plans(), kPlans);
}

} // namespace
