// SuperviseOrder on a temporary database: which classes a teacher is shown in at a time, the
// duty teachers the buttons show, how saving adds and deletes only the toggled classes' rows
// of that time and teacher, the one-teacher-a-time question, and a failed save that leaves
// the table as it was and keeps the selection.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "store/CGSRecord.h"
#include "store/CSORecord.h"
#include "store/DbError.h"
#include "supervise/SuperviseOrder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using supervise::SuperviseOrder;
using Rows = std::vector<store::SuperviseRow>;

Rows stored() {
    return store::CSORecord().readAll();
}

const Rows kInitial = {{"初二⑶", "周三晚", "王伟"}, {"初二⑸", "周三晚", "王伟"},
                       {"初二⑸", "周一早", "王伟"}, {"初一⑸", "周三晚", "王伟"},
                       {"初二⑷", "周三晚", "李娜"}, {"初二⑹", "周三早", "陈静"}};

class SuperviseOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::storeTeachers({"王伟", "李娜", "陈静", "张强"});
        store::CSORecord().append(kInitial);
        ASSERT_TRUE(logic.load());
    }

    std::vector<int> selected() const {
        std::vector<int> ks;
        for (int k = 1; k <= SuperviseOrder::kClasses; ++k) {
            if (logic.isSelected(k)) {
                ks.push_back(k);
            }
        }
        return ks;
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    SuperviseOrder logic{messenger};
};

TEST_F(SuperviseOrderTest, ShowsTheTeachersClassesAtTheChosenTime) {
    EXPECT_EQ(logic.teachers(), (std::vector<std::string>{"王伟", "李娜", "陈静", "张强"}));
    // Nothing is read until all three are chosen.
    logic.choose("初二", "周三晚", "");
    EXPECT_FALSE(logic.loaded());
    EXPECT_EQ(logic.buttonCaption(3), "");
    EXPECT_FALSE(logic.toggleClass(3));

    logic.choose("初二", "周三晚", "王伟");
    ASSERT_TRUE(logic.loaded());
    EXPECT_EQ(selected(), (std::vector<int>{3, 5}));
    EXPECT_EQ(logic.selectionText(), "初二⑶ 初二⑸");
    EXPECT_EQ(logic.buttonCaption(3), "初二⑶\n王伟");
    EXPECT_EQ(logic.buttonCaption(4), "初二⑷\n李娜");
    EXPECT_EQ(logic.buttonCaption(6), "初二⑹"); // on duty in the morning only
    EXPECT_EQ(logic.buttonToolTip(4), "周三晚督修：李娜");
    EXPECT_EQ(logic.buttonToolTip(20), "周三晚尚无督修教师");

    // Eight selected: the eighth name goes on the second line.
    for (int k : {1, 2, 4, 6, 7, 8}) {
        logic.toggleClass(k);
    }
    EXPECT_EQ(logic.selectionText(), "初二⑴ 初二⑵ 初二⑶ 初二⑷ 初二⑸ 初二⑹ 初二⑺\n初二⑻");
    // A new choice reads the table again and drops the toggles.
    logic.choose("初二", "周一早", "王伟");
    EXPECT_EQ(selected(), (std::vector<int>{5}));
    EXPECT_FALSE(logic.modified());
}

TEST_F(SuperviseOrderTest, SavingAddsAndDeletesOnlyTheToggledClassesOfThatTimeAndTeacher) {
    logic.choose("初二", "周三晚", "王伟");
    logic.toggleClass(5); // unselect
    logic.toggleClass(9); // select
    EXPECT_TRUE(logic.modified());
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected.erase(expected.begin() + 1);
    expected.push_back({"初二⑼", "周三晚", "王伟"});
    EXPECT_EQ(stored(), expected);
    EXPECT_FALSE(logic.modified());
    EXPECT_TRUE(messenger.texts().empty());

    // Saving again adds nothing.
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), expected);
}

TEST_F(SuperviseOrderTest, AClassWithAnotherTeacherAtThatTimeIsChangedOnlyWhenConfirmed) {
    logic.choose("初二", "周三晚", "张强");
    logic.toggleClass(4);  // 李娜 there
    logic.toggleClass(3);  // 王伟 there
    logic.toggleClass(10); // free
    messenger.scriptAnswers({false});
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(),
              std::vector<std::string>{
                  "以下班级该时间已有督修教师：初二⑶ 王伟、初二⑷ 李娜 是否改为 张强？"});
    EXPECT_EQ(stored(), kInitial);
    EXPECT_TRUE(logic.modified());

    messenger.scriptAnswers({true});
    ASSERT_TRUE(logic.save());
    const Rows expected = {{"初二⑸", "周三晚", "王伟"}, {"初二⑸", "周一早", "王伟"},
                           {"初一⑸", "周三晚", "王伟"}, {"初二⑹", "周三早", "陈静"},
                           {"初二⑶", "周三晚", "张强"}, {"初二⑷", "周三晚", "张强"},
                           {"初二⑽", "周三晚", "张强"}};
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(logic.buttonCaption(3), "初二⑶\n张强");
}

TEST_F(SuperviseOrderTest, AFailedSaveLeavesTheTableAndKeepsTheSelection) {
    logic.choose("初二", "周三晚", "王伟");
    logic.toggleClass(3);
    logic.toggleClass(11);
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [supervise] "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(logic.save(), store::DbError);
    EXPECT_EQ(stored(), kInitial);
    EXPECT_EQ(selected(), (std::vector<int>{5, 11}));
    db.execute("DROP TRIGGER refuse");
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored().back(), (store::SuperviseRow{"初二⑾", "周三晚", "王伟"}));
}

TEST(SuperviseOrderRoster, TheRosterEndsAtTheFirstBlankNameAndAnEmptyOneIsRefused) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    SuperviseOrder logic(messenger);
    EXPECT_FALSE(logic.load());
    testsupport::storeTeachers({"王伟", "李娜", "  ", "陈静"});
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.teachers(), (std::vector<std::string>{"王伟", "李娜"}));
}

} // namespace

namespace {

TEST_F(SuperviseOrderTest, AChangeOfChoiceAsksBeforeItDropsUnsavedToggles) {
    ASSERT_TRUE(logic.choose("初二", "周三晚", "王伟"));
    ASSERT_TRUE(logic.toggleClass(1));
    struct Step {
        const char* grade;
        const char* time;
        const char* teacher;
        std::vector<bool> answers; // the questions asked and their answers
        bool taken;
        std::vector<int> selected;
    };
    const std::vector<Step> steps = {
        {"初二", "周一早", "王伟", {false}, false, {1, 3, 5}},
        {"初一", "周三晚", "王伟", {false}, false, {1, 3, 5}},
        {"初二", "周三晚", "李娜", {false}, false, {1, 3, 5}},
        {"初二", "周三晚", "王伟", {}, true, {1, 3, 5}}, // no change
        {"初二", "周一早", "王伟", {true}, true, {5}},
        {"初二", "周三晚", "王伟", {}, true, {3, 5}}, // nothing unsaved
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        messenger.clear();
        for (const bool answer : steps[i].answers) {
            messenger.scriptAnswers({answer});
        }
        EXPECT_EQ(logic.choose(steps[i].grade, steps[i].time, steps[i].teacher), steps[i].taken)
            << i;
        EXPECT_EQ(messenger.texts(), std::vector<std::string>(steps[i].answers.size(),
                                                              SuperviseOrder::kDiscardQuestion))
            << i;
        EXPECT_EQ(selected(), steps[i].selected) << i;
        if (!steps[i].taken) {
            EXPECT_EQ(logic.grade() + logic.time() + logic.teacher(), "初二周三晚王伟") << i;
        }
    }
    EXPECT_EQ(stored(), kInitial);
}

TEST_F(SuperviseOrderTest, ClassesBeyondTheGradesCountCannotBeChosen) {
    store::CGSRecord().append(std::vector<store::GradeclassRow>{{"初二", 4}});
    ASSERT_TRUE(logic.load());
    ASSERT_TRUE(logic.choose("初二", "周三晚", "王伟")); // 初二⑸ is stored beyond the count
    struct Case {
        int k;
        bool enabled;
        std::string toolTip;
    };
    const std::string missing = "初二只有 4 个班（见年段班级编辑）";
    for (const Case& c : std::vector<Case>{{3, true, "周三晚督修：王伟"},
                                           {4, true, "周三晚督修：李娜"},
                                           {5, true, missing},
                                           {6, false, missing}}) {
        EXPECT_EQ(logic.buttonEnabled(c.k), c.enabled) << c.k;
        EXPECT_EQ(logic.buttonToolTip(c.k), c.toolTip) << c.k;
    }
    EXPECT_FALSE(logic.toggleClass(6));
    EXPECT_TRUE(logic.toggleClass(5));
    EXPECT_FALSE(logic.toggleClass(5));
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected.erase(expected.begin() + 1); // 初二⑸ 周三晚 王伟
    EXPECT_EQ(stored(), expected);
}

} // namespace
