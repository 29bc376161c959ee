// TReplace on a temporary database: the roster; a replacement
// touches only the chosen class's [classcourse] rows of the former teacher and its Monday to
// Friday [gradelesson] cells holding exactly that name, class 20 included, and says how many;
// every refusal writes nothing; the class plans and the timetable change together or not at
// all.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "maintain/TReplace.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using maintain::TReplace;
using Names = std::vector<std::string>;
using Plans = std::vector<store::ClasscourseRow>;
using Lessons = std::vector<store::GradelessonRow>;

Plans plans() {
    return store::CCCRecord().readAll();
}

Lessons lessons() {
    return store::CGLRecord().readAll();
}

// 王伟 teaches 数学 and 物理 in 高一⑶ and 数学 in 高二⑶ (the same class number of another
// grade) and in 高一⑴; 张强 teaches 高一⒇; 陈静 is on no timetable.
const Plans kPlans = {
    {"高一⑶", "数学", "王伟", 5}, {"高一⑶", "语文", "李娜", 6}, {"高二⑶", "数学", "王伟", 5},
    {"高一⑶", "物理", "王伟", 2}, {"高一⑴", "数学", "王伟", 5}, {"高一⒇", "英语", "张强", 5},
    {"高一⑶", "化学", "陈静", 2},
};

const Lessons kLessons = {
    {"高一⑶", 40301, {"王伟", "李娜", "王伟", "", "王伟老师", "王伟", "王伟"}},
    {"高二⑶", 50301, {"王伟", "王伟", "", "", "", "", ""}},
    {"高一⑶", 40302, {"李娜", "", " 王伟", "王伟", "", "", ""}},
    {"高一⑴", 40101, {"王伟", "", "", "", "", "", ""}},
    {"高一⒇", 42001, {"张强", "张强", "", "", "", "", "张强"}},
    {"高一⒆", 41901, {"张强", "", "", "", "", "", ""}},
};

class TReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCCRecord().append(kPlans);
        store::CGLRecord().append(kLessons);
    }

    bool run(const std::string& grade, const std::string& classText, const std::string& former,
             const std::string& replacement) {
        return logic.replace({grade, classText, former, replacement});
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    TReplace logic{messenger};
};

TEST_F(TReplaceTest, AnEmptyRosterIsToldAndTheRosterStopsAtItsFirstBlankName) {
    logic.load();
    EXPECT_TRUE(logic.teachers().empty());
    logic.reportEmptyRoster();
    EXPECT_EQ(messenger.texts(), Names{"请输入所有任课教师姓名!"});

    // The roster stops at its first blank name.
    testsupport::storeTeachers({"王伟", "李娜", "王", "张强"});
    messenger.clear();
    logic.load();
    EXPECT_EQ(logic.teachers(), (Names{"王伟", "李娜"}));
    logic.reportEmptyRoster();
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(TReplaceTest, ReplacesOnlyInTheChosenClassAndOnlyFromMondayToFriday) {
    ASSERT_TRUE(run("高一", "三  班", "王伟", "陈静"));
    Plans expectedPlans = kPlans;
    expectedPlans[0].teacher = "陈静";
    expectedPlans[3].teacher = "陈静";
    EXPECT_EQ(plans(), expectedPlans);
    // Exact names only: "王伟老师" and " 王伟" stay, as do Saturday, Sunday, 高二⑶ and 高一⑴.
    Lessons expectedLessons = kLessons;
    expectedLessons[0].days = {"陈静", "李娜", "陈静", "", "王伟老师", "王伟", "王伟"};
    expectedLessons[2].days = {"李娜", "", " 王伟", "陈静", "", "", ""};
    EXPECT_EQ(lessons(), expectedLessons);
    // Two class plan rows and three cells.
    EXPECT_EQ(messenger.texts(), Names{"已将 5 处 王伟 改为 陈静"});
}

TEST_F(TReplaceTest, TheTwentiethClassIsHandledLikeAnyOther) {
    ASSERT_TRUE(run("高一", "二十班", "张强", "赵敏"));
    Plans expectedPlans = kPlans;
    expectedPlans[5].teacher = "赵敏";
    EXPECT_EQ(plans(), expectedPlans);
    Lessons expectedLessons = kLessons;
    expectedLessons[4].days = {"赵敏", "赵敏", "", "", "", "", "张强"};
    EXPECT_EQ(lessons(), expectedLessons);
    EXPECT_EQ(messenger.texts(), Names{"已将 3 处 张强 改为 赵敏"});
}

TEST_F(TReplaceTest, ATeacherOnNoDayOfTheTimetableIsReplacedInTheClassPlanOnly) {
    ASSERT_TRUE(run("高一", "三  班", "陈静", "赵敏"));
    Plans expectedPlans = kPlans;
    expectedPlans[6].teacher = "赵敏";
    EXPECT_EQ(plans(), expectedPlans);
    EXPECT_EQ(lessons(), kLessons);
    EXPECT_EQ(messenger.texts(), Names{"已将 1 处 陈静 改为 赵敏"});
}

// The new teacher already teaching elsewhere in one of the class's periods is warned about,
// period by period, after the replacement (which still happens).
TEST_F(TReplaceTest, ANewTeacherBusyElsewhereIsWarnedAbout) {
    struct Case {
        const char* classText;
        const char* former;
        const char* replacement;
        std::vector<std::string> warning; // empty: no warning
    };
    const Case cases[] = {
        // 高一⒇ holds 张强 on Tuesday 1 too; 高一⑶'s Monday 2 is his alone
        {"三  班", "李娜", "张强", {"张强 星期二第一节：高一⑶、高一⒇"}},
        // every other class holding him then is named, in class order
        {"一  班", "王伟", "张强", {"张强 星期一第一节：高一⑴、高一⒆、高一⒇"}},
        {"二十班", "张强", "李娜", {"李娜 星期二第一节：高一⑶、高一⒇"}},
        {"二十班", "张强", "赵敏", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.classText);
        db.execute("DELETE FROM classcourse");
        db.execute("DELETE FROM gradelesson");
        store::CCCRecord().append(kPlans);
        store::CGLRecord().append(kLessons);
        messenger.clear();
        ASSERT_TRUE(run("高一", c.classText, c.former, c.replacement));
        const Names texts = messenger.texts();
        ASSERT_EQ(texts.size(), c.warning.empty() ? 1U : 2U);
        if (!c.warning.empty()) {
            std::string expected = TReplace::kBusyWarning;
            for (const std::string& line : c.warning) {
                expected += "\n" + line;
            }
            EXPECT_EQ(texts[1], expected);
        }
    }
}

TEST_F(TReplaceTest, EveryRefusalSaysWhyAndWritesNothing) {
    struct Case {
        TReplace::Request request;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"高四", "三  班", "王伟", "陈静"}, "请输入年段和班级"},
        {{"高一", "三班", "王伟", "陈静"}, "请输入年段和班级"},
        {{"", "", "", ""}, "请输入年段和班级"},
        {{"高一", "三  班", "王伟", ""}, "请输入新课任教师"},
        {{"高一", "三  班", "", "陈"}, "请输入新课任教师"},
        {{"高一", "三  班", "", "陈静"}, "请输入原课任教师"},
        {{"高一", "三  班", "王", "陈静"}, "请输入原课任教师"},
        // 王伟 teaches 高二⑶ and 高一⑴, not 高一⑵; 张强 stands on 高一⒆'s timetable but
        // not in its class plan; names match exactly.
        {{"高一", "二  班", "王伟", "陈静"}, "无此课任教师"},
        {{"高一", "十九班", "张强", "陈静"}, "无此课任教师"},
        {{"高一", "三  班", "王伟老师", "陈静"}, "无此课任教师"},
    };
    for (const Case& c : cases) {
        messenger.clear();
        EXPECT_FALSE(logic.replace(c.request)) << c.message;
        EXPECT_EQ(messenger.texts(), Names{c.message});
        EXPECT_EQ(plans(), kPlans) << c.message;
        EXPECT_EQ(lessons(), kLessons) << c.message;
    }
}

TEST_F(TReplaceTest, AFailedTimetableLeavesBothTablesAsTheyWere) {
    for (const char* table : {"classcourse", "gradelesson"}) {
        db.execute(std::string("CREATE TRIGGER refuse BEFORE UPDATE ON [") + table +
                   "] BEGIN SELECT RAISE(ABORT, 'refused'); END");
        messenger.clear();
        EXPECT_THROW(run("高一", "三  班", "王伟", "陈静"), store::DbError) << table;
        EXPECT_EQ(plans(), kPlans) << table;
        EXPECT_EQ(lessons(), kLessons) << table;
        EXPECT_TRUE(messenger.entries().empty()) << table;
        db.execute("DROP TRIGGER refuse");
    }
}

// The plans and the timetable change in one transaction: a refused timetable leaves the plans
// as they were without rewriting them (a trigger refusing any change to the plans' rows after
// the replacement would otherwise fire).
TEST_F(TReplaceTest, ARefusedTimetableLeavesThePlansUnrewritten) {
    db.execute("CREATE TRIGGER refuseLessons BEFORE UPDATE ON [gradelesson] "
               "BEGIN SELECT RAISE(ABORT, 'lessons refused'); END");
    db.execute("CREATE TRIGGER refusePlans BEFORE DELETE ON [classcourse] "
               "BEGIN SELECT RAISE(ABORT, 'plans refused'); END");
    try {
        run("高一", "三  班", "王伟", "陈静");
        ADD_FAILURE() << "no error";
    } catch (const store::DbError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("lessons refused"), std::string::npos) << text;
        EXPECT_EQ(text.find("plans refused"), std::string::npos) << text;
    }
    EXPECT_EQ(lessons(), kLessons);
    EXPECT_EQ(plans(), kPlans);
}

} // namespace
