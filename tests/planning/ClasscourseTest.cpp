// Classcourse on a temporary database: the master data is checked in its order with its
// messages; the class list follows the grades' class counts; a class without rows is offered
// its grade's normal plan; weekly counts outside 0..30 show as 0; a save replaces the chosen
// class's rows only, in slot order, skipping blank courses; a refused count, a missing class
// or a failing statement writes nothing.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "core/SchoolNames.h"
#include "planning/Classcourse.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::storeTeachers;

using testsupport::storeCourses;

using planning::Classcourse;
using Names = std::vector<std::string>;
using Rows = std::vector<store::ClasscourseRow>;
using Entry = Classcourse::Entry;

void storeClassCounts(const std::vector<store::GradeclassRow>& rows) {
    store::CGSRecord().append(rows);
}

void storeCourseTeachers(const std::vector<store::CourseteacherRow>& rows) {
    store::CCTRecord().append(rows);
}

void storeGradePlan(const std::vector<store::GradecourseRow>& rows) {
    store::CGCRecord().append(rows);
}

Rows stored() {
    return store::CCCRecord().readAll();
}

Classcourse::Slots slotsOf(const Classcourse& logic) {
    Classcourse::Slots slots;
    for (int k = 0; k < Classcourse::kSlots; ++k) {
        slots[static_cast<std::size_t>(k)] = logic.slotText(k);
    }
    return slots;
}

// A school of five courses, 初一 with three classes and 高三 with two, six teachers and
// the teachers of three courses; 初一⑵ and 高三⑴ have plans, 初一 has a grade plan.
class ClasscourseTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeCourses({"语文", "数学", "英语", "物理", "信息技术"});
        storeClassCounts({{"高三", 2}, {"初一", 3}});
        storeTeachers({"王伟", "李娜", "张强", "欧阳明", "陈静", "何平"});
        storeCourseTeachers({{"语文", "王伟"},
                             {"数学", "李娜"},
                             {"语文", "张强"},
                             {"英语", "陈静"},
                             {"历史", "何平"}});
        storeGradePlan({{"初一", "数学", 5, 0},
                        {"高三", "物理", 4, 0},
                        {"初一", "语文", 6, 0},
                        {"初一", "英语", 3, 7}});
        store::CCCRecord().append(Rows{{"初一⑵", "数学", "李娜", 5},
                                       {"高三⑴", "物理", "何平", 4},
                                       {"初一⑵", "语文", "王伟", 6},
                                       {"初一⑵", "英语", "陈静", 4}});
    }

    int classIndex(const std::string& name) const {
        const auto& c = logic.classNames();
        return static_cast<int>(std::find(c.begin(), c.end(), name) - c.begin());
    }

    void choose(const std::string& name) {
        ASSERT_TRUE(logic.load());
        ASSERT_EQ(logic.chooseClass(classIndex(name)), Classcourse::ClassChoice::Shown);
        ASSERT_EQ(logic.className(), name);
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Classcourse logic{messenger};
};

TEST(ClasscourseUnusable, TheMasterTablesAreCheckedInOrderEachWithItsMessage) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    auto unusableBecause = [&]() {
        Classcourse logic(messenger);
        EXPECT_FALSE(logic.load());
        EXPECT_FALSE(logic.usable());
        return logic.unusableMessage();
    };
    EXPECT_EQ(unusableBecause(), "请设置学科名称!");
    storeCourses({"语文"});
    EXPECT_EQ(unusableBecause(), "请设置年段的班级数!");
    // Counts that give no class at all leave nothing to edit either.
    storeClassCounts({{"初一", 0}, {"四年级", 3}});
    EXPECT_EQ(unusableBecause(), "请设置年段的班级数!");
    storeClassCounts({{"初二", 1}});
    EXPECT_EQ(unusableBecause(), "请输入全校教师姓名!");
    storeTeachers({"王伟"});
    EXPECT_EQ(unusableBecause(), "请编辑各学科教师!");
    // Teachers of a course that is not in the list still make the table non-empty.
    storeCourseTeachers({{"历史", "王伟"}});
    Classcourse logic(messenger);
    EXPECT_TRUE(logic.load());
    EXPECT_EQ(logic.classNames(), (Names{"初二⑴"}));
    // The dialog shows the reason; the logic itself says nothing.
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(ClasscourseUnusable, ATableWhoseFirstNameIsBlankHoldsNoUsableName) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    storeCourses({"语", "数学"});
    storeClassCounts({{"初一", 1}});
    storeTeachers({"", "王伟"});
    storeCourseTeachers({{"数学", "王伟"}});
    Classcourse courses(messenger);
    EXPECT_FALSE(courses.load());
    EXPECT_EQ(courses.unusableMessage(), "请设置学科名称!");

    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{{"数学"}});
    Classcourse teachers(messenger);
    EXPECT_FALSE(teachers.load());
    EXPECT_EQ(teachers.unusableMessage(), "请输入全校教师姓名!");
}

TEST_F(ClasscourseTest, TheClassListFollowsTheGradeOrderAndEachGradesCount) {
    storeClassCounts(
        {{"高二", 25}, {"初一", 1}, {"初三", -2}}); // 初一 becomes 1, the last row wins
    ASSERT_TRUE(logic.load());
    Names expected{"初一⑴"};
    for (int c = 1; c <= 20; ++c) {
        expected.push_back(school::className(4, c));
    }
    expected.push_back("高三⑴");
    expected.push_back("高三⑵");
    EXPECT_EQ(logic.classNames(), expected);
    EXPECT_EQ(logic.classNames()[20], "高二⒇");
}

TEST_F(ClasscourseTest, AGradeWithThreeClassesOffersOnlyItsFirstThree) {
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.classNames(), (Names{"初一⑴", "初一⑵", "初一⑶", "高三⑴", "高三⑵"}));
}

TEST_F(ClasscourseTest, BoxesOfferNamesUpToTheFirstNameShorterThanThreeBytes) {
    storeCourses({"化学", "ab", "生物"}); // "ab" (2 bytes) ends the offer
    storeTeachers({"A组", "", "朱红"});   // "A组" has 3 bytes and is offered
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.courseChoices(), (Names{"语文", "数学", "英语", "物理", "信息技术", "化学"}));
    EXPECT_EQ(logic.rosterChoices(),
              (Names{"王伟", "李娜", "张强", "欧阳明", "陈静", "何平", "A组"}));
    for (int k = 0; k < Classcourse::kSlots; ++k) {
        EXPECT_EQ(logic.teacherChoices(k), logic.rosterChoices()) << k;
    }
}

TEST_F(ClasscourseTest, EachCourseOffersItsAllowedTeachersInTableOrder) {
    storeCourseTeachers({{"数学", "王伟"}, {"数学", ""}, {"信息技术", "朱"}, {"数学", "何平"}});
    ASSERT_TRUE(logic.load());
    // 王伟 (two characters, 4 bytes) is offered for both of his courses; blank names are not.
    EXPECT_EQ(logic.courseTeachers("语文"), (Names{"王伟", "张强"}));
    EXPECT_EQ(logic.courseTeachers("数学"), (Names{"李娜", "王伟", "何平"}));
    EXPECT_TRUE(logic.courseTeachers("信息技术").empty());
    EXPECT_TRUE(logic.courseTeachers("历史").empty());
}

TEST_F(ClasscourseTest, ACourseOffersAtMost199Teachers) {
    std::vector<store::CourseteacherRow> many;
    for (int i = 0; i < 205; ++i) {
        many.push_back({"物理", "教师" + std::to_string(i)});
    }
    storeCourseTeachers(many);
    ASSERT_TRUE(logic.load());
    const Names teachers = logic.courseTeachers("物理");
    ASSERT_EQ(teachers.size(), 199U);
    EXPECT_EQ(teachers.back(), "教师198");
}

TEST_F(ClasscourseTest, PointerMovesOfferEachSlotTheTeachersOfItsCourse) {
    ASSERT_TRUE(logic.load());
    const Names roster = logic.rosterChoices();
    Classcourse::Slots slots;
    slots[0] = {"语文", "欧阳明", "6"};
    slots[4] = {"物理", "", "3"}; // no allowed teachers: keeps the roster
    slots[17] = {"数学", "", "0"};
    EXPECT_EQ(logic.refreshTeacherChoices(slots), (std::vector<int>{0, 17}));
    EXPECT_EQ(logic.teacherChoices(0), (Names{"王伟", "张强"}));
    EXPECT_EQ(logic.teacherChoices(4), roster);
    EXPECT_EQ(logic.teacherChoices(17), (Names{"李娜"}));
    EXPECT_EQ(logic.teacherChoices(1), roster);
    // Nothing new: nothing to refill.
    EXPECT_TRUE(logic.refreshTeacherChoices(slots).empty());

    // A slot that changes to a course without teachers keeps its last offer.
    slots[0].course = "物理";
    slots[17].course = "英语";
    EXPECT_EQ(logic.refreshTeacherChoices(slots), (std::vector<int>{17}));
    EXPECT_EQ(logic.teacherChoices(0), (Names{"王伟", "张强"}));
    EXPECT_EQ(logic.teacherChoices(17), (Names{"陈静"}));
    // The texts in the slots are not the logic's to change.
    EXPECT_EQ(slots[0].teacher, "欧阳明");
}

TEST_F(ClasscourseTest, AClassWithoutRowsIsOfferedItsGradesNormalPlanWithoutTeachers) {
    storeGradePlan({{"初一", "物理", 31, 0}, {"初一", "信息技术", -1, 0}, {"初一", "化学", 2, 3}});
    choose("初一⑶");
    Classcourse::Plan expected{};
    expected[0] = {"数学", "", 5};
    expected[1] = {"语文", "", 6};
    expected[2] = {"物理", "", 0};     // 31 shows as 0
    expected[3] = {"信息技术", "", 0}; // -1 shows as 0
    EXPECT_EQ(logic.plan(), expected);
    EXPECT_EQ(logic.slotText(1).weekly, "6");
    EXPECT_EQ(logic.slotText(5).weekly, "0");
    EXPECT_TRUE(messenger.entries().empty());
    // Nothing is written until the user saves.
    EXPECT_EQ(stored().size(), 4U);
}

TEST_F(ClasscourseTest, AClassWithRowsShowsThemInStoredOrderWithCountsOutside0To30As0) {
    store::CCCRecord().append(Rows{{"初一⑵", "物理", "", 30},
                                   {"初一⑴", "语文", "王伟", 5},
                                   {"初一⑵", "信息技术", "何平", 31},
                                   {"初一⑵", "化学", "        ", -1},
                                   {"初一⑵", "生物", "朱红", 0}});
    choose("初一⑵");
    const Classcourse::Plan& plan = logic.plan();
    EXPECT_EQ(plan[0], (Entry{"数学", "李娜", 5}));
    EXPECT_EQ(plan[1], (Entry{"语文", "王伟", 6}));
    EXPECT_EQ(plan[2], (Entry{"英语", "陈静", 4}));
    EXPECT_EQ(plan[3], (Entry{"物理", "", 30}));
    EXPECT_EQ(plan[4], (Entry{"信息技术", "何平", 0}));
    EXPECT_EQ(plan[5], (Entry{"化学", "        ", 0}));
    EXPECT_EQ(plan[6], (Entry{"生物", "朱红", 0}));
    EXPECT_EQ(plan[7], Entry{});
}

TEST_F(ClasscourseTest, AClassWithMoreThanTwentyRowsShowsTwentyAndSaysSo) {
    Rows more;
    for (int i = 0; i < 19; ++i) {
        more.push_back({"初一⑵", "课程" + std::to_string(i), "", 1});
    }
    store::CCCRecord().append(more);
    choose("初一⑵");
    EXPECT_EQ(logic.plan()[19], (Entry{"课程16", "", 1}));
    EXPECT_EQ(messenger.texts(), (Names{"这个班级的课程超过20门，存盘时只保留前20门。"}));
}

TEST_F(ClasscourseTest, WithoutAPlanOfClassOrGradeTheClassCannotBeEdited) {
    ASSERT_TRUE(logic.load());
    // 高三⑵ has no rows; 高三's plan has a review row only after this replacement.
    store::CGCRecord().replaceAll(std::vector<store::GradecourseRow>{{"高三", "物理", 4, 2}});
    EXPECT_EQ(logic.chooseClass(classIndex("高三⑵")), Classcourse::ClassChoice::NoPlan);
    EXPECT_EQ(messenger.texts(), (Names{"请先进行年段课程设置！"}));
    EXPECT_FALSE(logic.hasClass());
    EXPECT_EQ(logic.plan(), Classcourse::Plan{});
}

TEST_F(ClasscourseTest, SaveReplacesOnlyTheChosenClassesRowsInSlotOrder) {
    choose("初一⑵");
    Classcourse::Slots slots = slotsOf(logic);
    slots[0] = {"语文", "张强", "6"}; // 语文 moves to the front: it is a main course now
    slots[1] = {"数学", "李娜", "5"};
    slots[2] = {"", "陈静", "4"};   // 英语 removed: its old row must go
    slots[3] = {"物", "王伟", "2"}; // one character is no course
    slots[4] = {"ab", "", "2"};     // nor is a 2-byte text
    slots[5] = {"物理", "", "0"};   // a course with count 0 is stored with 0
    slots[8] = {"信息技术", "何平", " 2 "};
    slots[17] = {"英语", "", "30"};
    ASSERT_EQ(logic.take(slots), std::nullopt);
    ASSERT_TRUE(logic.save());
    const Rows expected{{"高三⑴", "物理", "何平", 4},     {"初一⑵", "语文", "张强", 6},
                        {"初一⑵", "数学", "李娜", 5},     {"初一⑵", "物理", "", 0},
                        {"初一⑵", "信息技术", "何平", 2}, {"初一⑵", "英语", "", 30}};
    EXPECT_EQ(stored(), expected);
    // 存盘 keeps the dialog open: saving again writes the same rows, not twice as many.
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), expected);
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(ClasscourseTest, EntriesNineteenAndTwentyAreWrittenAfterTheGrid) {
    Rows twenty;
    for (int i = 0; i < 17; ++i) {
        twenty.push_back({"初一⑴", "课程" + std::to_string(i), "", 1});
    }
    store::CCCRecord().append(twenty);
    store::CCCRecord().append(Rows{{"初一⑴", "物理", "王伟", 2}, {"初一⑴", "化学", "", 3}});
    store::CCCRecord().append(Rows{{"初一⑴", "生物", "李娜", 4}});
    choose("初一⑴");
    Classcourse::Slots slots = slotsOf(logic);
    slots[0].course.clear();
    ASSERT_EQ(logic.take(slots), std::nullopt);
    ASSERT_TRUE(logic.save());
    Rows rows = stored();
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const auto& r) { return r.className != "初一⑴"; }),
               rows.end());
    ASSERT_EQ(rows.size(), 19U);
    EXPECT_EQ(rows[0].course, "课程1");
    EXPECT_EQ(rows[16], (store::ClasscourseRow{"初一⑴", "物理", "王伟", 2}));
    EXPECT_EQ(rows[17], (store::ClasscourseRow{"初一⑴", "化学", "", 3}));
    EXPECT_EQ(rows[18], (store::ClasscourseRow{"初一⑴", "生物", "李娜", 4}));
}

TEST_F(ClasscourseTest, TheProposedGradePlanIsWrittenOnlyWhenSaved) {
    choose("初一⑴");
    Classcourse::Slots slots = slotsOf(logic);
    slots[0].teacher = "李娜";
    ASSERT_EQ(logic.take(slots), std::nullopt);
    ASSERT_TRUE(logic.save());
    const Rows rows = stored();
    ASSERT_EQ(rows.size(), 6U);
    EXPECT_EQ(rows[4], (store::ClasscourseRow{"初一⑴", "数学", "李娜", 5}));
    EXPECT_EQ(rows[5], (store::ClasscourseRow{"初一⑴", "语文", "", 6}));
}

TEST_F(ClasscourseTest, ACourseWhoseCountIsNoWholeNumberIn0To30IsRefusedAndNothingChanges) {
    choose("初一⑵");
    for (const std::string bad : {"31", "-1", "", "x", "3.5", "99999999999"}) {
        Classcourse::Slots slots = slotsOf(logic);
        slots[0].teacher = "张强";
        slots[7] = {"物理", "", bad};
        messenger.clear();
        EXPECT_EQ(logic.take(slots), 7) << bad;
        EXPECT_EQ(messenger.texts(), (Names{"周课时请输入一个 0 到 30 之间的整数。"})) << bad;
        EXPECT_EQ(logic.plan()[0].teacher, "李娜") << bad;
    }
    // A slot without a course is never stored: its count is not looked at.
    Classcourse::Slots slots = slotsOf(logic);
    slots[7] = {"", "", "x"};
    slots[8] = {"物", "", "-5"};
    messenger.clear();
    EXPECT_EQ(logic.take(slots), std::nullopt);
    EXPECT_TRUE(messenger.entries().empty());
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored().size(), 4U);
}

TEST_F(ClasscourseTest, WithoutAClassNothingIsWrittenAndSlotOneReminds) {
    ASSERT_TRUE(logic.load());
    logic.courseChosen(0);
    logic.teacherChosen(0);
    logic.courseChosen(1); // only slot 1 reminds
    logic.teacherChosen(5);
    EXPECT_EQ(messenger.texts(), (Names{"请选择班级！", "请先选择班级！"}));
    Classcourse::Slots slots;
    slots[0] = {"语文", "王伟", "6"};
    ASSERT_EQ(logic.take(slots), std::nullopt);
    messenger.clear();
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"请先选择班级！"}));
    EXPECT_EQ(stored().size(), 4U);

    // With a class, choices in slot 1 are quiet; choosing no class drops the class again.
    choose("初一⑵");
    messenger.clear();
    logic.courseChosen(0);
    logic.teacherChosen(0);
    EXPECT_TRUE(messenger.entries().empty());
    logic.chooseClass(-1);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(stored().size(), 4U);
}

TEST_F(ClasscourseTest, ChoosingAnotherClassDropsUnsavedEdits) {
    choose("初一⑵");
    Classcourse::Slots slots = slotsOf(logic);
    slots[0] = {"物理", "王伟", "9"};
    ASSERT_EQ(logic.take(slots), std::nullopt);
    ASSERT_EQ(logic.chooseClass(classIndex("高三⑴")), Classcourse::ClassChoice::Shown);
    EXPECT_EQ(logic.plan()[0], (Entry{"物理", "何平", 4}));
    ASSERT_EQ(logic.chooseClass(classIndex("初一⑵")), Classcourse::ClassChoice::Shown);
    EXPECT_EQ(logic.plan()[0], (Entry{"数学", "李娜", 5}));
}

TEST_F(ClasscourseTest, EditsThatAreNeverSavedWriteNothing) {
    const Rows before = stored();
    {
        Classcourse cancelled(messenger);
        ASSERT_TRUE(cancelled.load());
        ASSERT_EQ(cancelled.chooseClass(1), Classcourse::ClassChoice::Shown);
        Classcourse::Slots slots;
        ASSERT_EQ(cancelled.take(slots), std::nullopt);
    }
    EXPECT_EQ(stored(), before);
}

TEST_F(ClasscourseTest, AFailedSaveLeavesTheTableAsItWas) {
    choose("初一⑵");
    Classcourse::Slots slots = slotsOf(logic);
    slots[3] = {"物理", "欧阳明", "2"};
    ASSERT_EQ(logic.take(slots), std::nullopt);
    const Rows before = stored();
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [classcourse] "
               "WHEN NEW.[教师] = '欧阳明' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(logic.save(), store::DbError);
    EXPECT_EQ(stored(), before);
}

TEST_F(ClasscourseTest, AClassWhoseRowsCouldNotBeReadIsNotChosen) {
    choose("高三⑴");
    db.execute("ALTER TABLE [classcourse] RENAME TO [hidden]");
    EXPECT_THROW(logic.chooseClass(classIndex("初一⑵")), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [classcourse]");
    EXPECT_FALSE(logic.hasClass());
    // A save now must not replace 初一⑵'s rows (nor 高三⑴'s) by an empty plan.
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(stored().size(), 4U);
}

} // namespace

// Only slots that take() and save() would store differently are an edit; once taken, the taken
// plan is what the slots are judged against.
TEST_F(ClasscourseTest, OnlyAPlanTheSaveWouldStoreDifferentlyIsAnEdit) {
    choose("初一⑵"); // 数学 李娜 5, 语文 王伟 6, 英语 陈静 4
    const auto with = [&](int slot, const char* course, const char* teacher, const char* weekly) {
        Classcourse::Slots s;
        for (int k = 0; k < Classcourse::kSlots; ++k) {
            s[static_cast<std::size_t>(k)] = logic.slotText(k);
        }
        s[static_cast<std::size_t>(slot)] = {course, teacher, weekly};
        return s;
    };
    const struct {
        const char* name;
        Classcourse::Slots slots;
        bool edited;
    } cases[] = {
        {"as read", with(0, "数学", "李娜", "5"), false},
        {"a count spelt with spaces", with(0, "数学", "李娜", " 5 "), false},
        {"an empty slot's teacher and count", with(5, "", "王伟", "9"), false},
        {"another count", with(0, "数学", "李娜", "6"), true},
        {"another teacher", with(1, "语文", "张强", "6"), true},
        {"a course added", with(3, "物理", "", "2"), true},
        {"a course removed", with(2, "", "陈静", "4"), true},
        {"a count that is no number", with(0, "数学", "李娜", "x"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(logic.edited(c.slots), c.edited) << c.name;
    }
    ASSERT_FALSE(logic.take(with(0, "数学", "李娜", "6")).has_value());
    EXPECT_FALSE(logic.edited(with(0, "数学", "李娜", "6")));
}
