// GradelessonInit on a temporary database: the selector entries, refusals and a declined
// question that write nothing, which [gradelesson] and [classcourse] rows go (or which cells
// are blanked) for a grade or a class and for 课程表, 所有 or one course, other grades and
// classes and the order of the remaining rows untouched, and failed deletions that leave
// both tables as they were.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "planning/GradelessonInit.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CGLRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using testsupport::storeCourses;

using planning::GradelessonInit;
using Names = std::vector<std::string>;
using Plans = std::vector<store::ClasscourseRow>;
using Lessons = std::vector<store::GradelessonRow>;
using Kind = testsupport::RecordingMessenger::Entry::Kind;

constexpr const char* kBlank = "  ";

Plans plans() {
    return store::CCCRecord().readAll();
}

Lessons lessons() {
    return store::CGLRecord().readAll();
}

store::GradelessonRow lesson(const std::string& className, int number,
                             std::array<std::string, 5> week) {
    return {className, number, {week[0], week[1], week[2], week[3], week[4], "", ""}};
}

// 初二 and 高二 share their second character, 初一 and 初三 frame 初二; 初二⑶'s math teacher
// 李娜 also teaches 物理 in 初二⑴, and 王伟 teaches both 语文 and 数学 in 初二⑶.
const Plans kPlans = {
    {"初一⑴", "数学", "李娜", 5}, {"初二⑴", "语文", "王伟", 6}, {"初二⑴", "物理", "李娜", 2},
    {"初二⑶", "语文", "王伟", 6}, {"初二⑶", "数学", "李娜", 5}, {"高二⑴", "数学", "李娜", 5},
    {"初二⑶", "数学", "王伟", 1}, {"初二⑴", "数学", "", 5},     {"初三⑴", "语文", "王伟", 6},
    {"初二⑵", "数学", "张强", 4},
};

const Lessons kLessons = {
    lesson("初一⑴", 10101, {"李娜", "", "李娜", "数学", "李娜"}),
    lesson("初二⑴", 20101, {"王伟", "李娜", "", "数学", "自习"}),
    lesson("初二⑶", 20301, {"李娜", "王伟", "语文", "数学", ""}),
    lesson("高二⑴", 50101, {"李娜", "数学", "", "", ""}),
    lesson("初二⑴", 20102, {"李娜", "李娜", "王伟", "", ""}),
    lesson("初三⑴", 30101, {"王伟", "", "", "", ""}),
    lesson("初二⑵", 20201, {"张强", "李娜", "", "", ""}),
};

class GradelessonInitTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeCourses({"语文", "数学", "物理"});
        store::CCCRecord().append(kPlans);
        store::CGLRecord().append(kLessons);
    }

    // Loads, chooses and deletes; the answer to the question is yes unless scripted.
    bool run(const std::string& target, const std::string& choice) {
        EXPECT_TRUE(logic.load());
        logic.setTarget(target);
        logic.setChoice(choice);
        return logic.remove();
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    GradelessonInit logic{messenger};
};

Plans without(const Plans& rows, const std::vector<std::size_t>& gone) {
    Plans out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (std::find(gone.begin(), gone.end(), i) == gone.end()) {
            out.push_back(rows[i]);
        }
    }
    return out;
}

Lessons without(const Lessons& rows, const std::vector<std::size_t>& gone) {
    Lessons out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (std::find(gone.begin(), gone.end(), i) == gone.end()) {
            out.push_back(rows[i]);
        }
    }
    return out;
}

TEST_F(GradelessonInitTest, OffersEveryGradeWithItsTwentyClassesAndTheCoursesThenTheTwoKinds) {
    ASSERT_TRUE(logic.load());
    const Names targets = GradelessonInit::targets();
    ASSERT_EQ(targets.size(), 126U);
    EXPECT_EQ(targets[0], "初一");
    EXPECT_EQ(targets[1], "初一⑴");
    EXPECT_EQ(targets[20], "初一⒇");
    EXPECT_EQ(targets[21], "初二");
    EXPECT_EQ(targets[105], "高三");
    EXPECT_EQ(targets[125], "高三⒇");
    EXPECT_EQ(logic.choices(), (Names{"语文", "数学", "物理", "所有", "课程表"}));
}

TEST_F(GradelessonInitTest, TheCourseListStopsAtTheFirstBlankNameAndAtTwenty) {
    store::CCNRecord().replaceAll(
        std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"英"}, {"物理"}});
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.choices(), (Names{"语文", "数学", "所有", "课程表"}));

    std::vector<store::CoursenameRow> many;
    for (int i = 0; i < 22; ++i) {
        many.push_back({"课程" + std::to_string(10 + i)});
    }
    store::CCNRecord().replaceAll(many);
    ASSERT_TRUE(logic.load());
    const Names choices = logic.choices();
    ASSERT_EQ(choices.size(), 22U);
    EXPECT_EQ(choices[19], "课程29");
    EXPECT_EQ(choices[20], "所有");
}

TEST_F(GradelessonInitTest, WithoutCourseNamesTheDialogIsUnusable) {
    store::CCNRecord().replaceAll({});
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称");
    // A blank first name counts as none.
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{{"英"}, {"数学"}});
    EXPECT_FALSE(logic.load());
}

TEST_F(GradelessonInitTest, AMissingTargetOrChoiceIsRefusedBeforeAnyQuestion) {
    EXPECT_FALSE(run("", "所有"));
    EXPECT_FALSE(run("初二", ""));
    // Texts that are not among the entries choose nothing.
    EXPECT_FALSE(run("初七", "所有"));
    EXPECT_FALSE(run("初二", "英语"));
    EXPECT_EQ(messenger.texts(), (Names{"请输入删除年段或班级！", "请输入删除学科或课程表！",
                                        "请输入删除年段或班级！", "请输入删除学科或课程表！"}));
    EXPECT_EQ(plans(), kPlans);
    EXPECT_EQ(lessons(), kLessons);
}

TEST_F(GradelessonInitTest, AnsweringNoWritesNothing) {
    for (const char* choice : {"所有", "课程表", "数学"}) {
        messenger.clear();
        messenger.scriptAnswers({false});
        EXPECT_FALSE(run("初二", choice));
        ASSERT_EQ(messenger.entries().size(), 1U);
        EXPECT_EQ(messenger.entries()[0].kind, Kind::Confirm);
        EXPECT_EQ(plans(), kPlans);
        EXPECT_EQ(lessons(), kLessons);
    }
    EXPECT_EQ(messenger.entries()[0].text,
              "此操作将全部删除初二的数学全部课程！\n确认否？取消请按“取消”按纽。");
    EXPECT_EQ(messenger.entries()[0].caption, "!删除年段或班级课程");
    EXPECT_EQ(messenger.entries()[0].byDefault, ui::Messenger::Default::Cancel);
}

TEST_F(GradelessonInitTest, AGradesTimetableGoesByRowNumberAndThePlansStay) {
    // A row filed under 初二 by its number although its class text says otherwise.
    Lessons initial = kLessons;
    initial.push_back(lesson("高二⑵", 20401, {"张强", "", "", "", ""}));
    store::CGLRecord().replaceAll(initial);

    ASSERT_TRUE(run("初二", "课程表"));
    EXPECT_EQ(lessons(), without(initial, {1, 2, 4, 6, 7}));
    EXPECT_EQ(plans(), kPlans);
    ASSERT_EQ(messenger.entries().size(), 2U);
    EXPECT_EQ(messenger.entries()[1].caption, "删除信息");
    EXPECT_EQ(messenger.entries()[1].text, "已全部删除初二的课程表全部课程");
}

TEST_F(GradelessonInitTest, EverythingOfOneClassGoesAndTheOtherClassesKeepTheirs) {
    ASSERT_TRUE(run("初二⑶", "所有"));
    EXPECT_EQ(lessons(), without(kLessons, {2}));
    EXPECT_EQ(plans(), without(kPlans, {3, 4, 6}));
    EXPECT_TRUE(messenger.said("已全部删除初二⑶的所有全部课程"));

    // The dialog stays usable for another deletion.
    logic.setTarget("初二");
    ASSERT_TRUE(logic.remove());
    EXPECT_EQ(lessons(), without(kLessons, {1, 2, 4, 6}));
    EXPECT_EQ(plans(), without(kPlans, {1, 2, 3, 4, 6, 7, 9}));
}

TEST_F(GradelessonInitTest, ACourseGoesFromAGradesPlansAndItsCellsAreBlankedInPlace) {
    ASSERT_TRUE(run("初二", "数学"));
    // Only 初二's 数学 rows go; 初一 and 高二 keep theirs.
    EXPECT_EQ(plans(), without(kPlans, {4, 6, 7, 9}));

    Lessons expected = kLessons;
    // 初二⑴: nobody teaches 数学 there, so only the course name goes; 李娜's 物理 stays.
    expected[1] = lesson("初二⑴", 20101, {"王伟", "李娜", "", kBlank, "自习"});
    // 初二⑶: 李娜 and 王伟 both teach 数学 there, so 王伟's 语文 lessons go as well.
    expected[2] = lesson("初二⑶", 20301, {kBlank, kBlank, "语文", kBlank, ""});
    // 初二⑵: 张强's lessons go; 李娜 does not teach 数学 in this class.
    expected[6] = lesson("初二⑵", 20201, {kBlank, "李娜", "", "", ""});
    EXPECT_EQ(lessons(), expected);
    EXPECT_TRUE(messenger.said("已全部删除初二的数学全部课程"));
}

TEST_F(GradelessonInitTest, ACourseOfOneClassTouchesThatClassOnly) {
    ASSERT_TRUE(run("初二⑵", "数学"));
    EXPECT_EQ(plans(), without(kPlans, {9}));
    Lessons expected = kLessons;
    expected[6] = lesson("初二⑵", 20201, {kBlank, "李娜", "", "", ""});
    EXPECT_EQ(lessons(), expected);

    // A class without a timetable or plan rows of the course: nothing changes.
    messenger.clear();
    logic.setTarget("初二⒇");
    ASSERT_TRUE(logic.remove());
    EXPECT_EQ(plans(), without(kPlans, {9}));
    EXPECT_EQ(lessons(), expected);
}

TEST_F(GradelessonInitTest, AFailedPlanDeletionPutsTheTimetableBack) {
    db.execute("CREATE TRIGGER refuse BEFORE DELETE ON [classcourse] "
               "WHEN OLD.[班级] = '初二⑶' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    for (const char* choice : {"所有", "数学"}) {
        EXPECT_THROW(run("初二", choice), store::DbError) << choice;
        EXPECT_EQ(plans(), kPlans) << choice;
        EXPECT_EQ(lessons(), kLessons) << choice;
    }
    for (const auto& entry : messenger.entries()) {
        EXPECT_EQ(entry.kind, Kind::Confirm);
    }
}

TEST_F(GradelessonInitTest, AFailedTimetableChangeLeavesBothTablesAsTheyWere) {
    db.execute("CREATE TRIGGER refuseDelete BEFORE DELETE ON [gradelesson] "
               "WHEN OLD.[number] = 20201 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    db.execute("CREATE TRIGGER refuseUpdate BEFORE UPDATE ON [gradelesson] "
               "WHEN OLD.[number] = 20201 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    for (const char* choice : {"课程表", "所有", "数学"}) {
        EXPECT_THROW(run("初二", choice), store::DbError) << choice;
        EXPECT_EQ(plans(), kPlans) << choice;
        EXPECT_EQ(lessons(), kLessons) << choice;
    }
    EXPECT_FALSE(messenger.said("已全部删除初二的所有全部课程"));
}

} // namespace
