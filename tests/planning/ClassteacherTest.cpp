// Classteacher on a temporary database: which classes a teacher is shown in, how adding and
// removing classes changes [classcourse] (only the toggled classes' rows of the course, in
// place, rows in their order), plans created from the grade's normal plan, refusals that
// write nothing, the offered teachers following the course, and failed reads and saves that
// leave the table as it was.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "planning/Classteacher.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using testsupport::storeTeachers;

using testsupport::storeCourses;

using planning::Classteacher;
using Names = std::vector<std::string>;
using Rows = std::vector<store::ClasscourseRow>;
using Plan = std::vector<store::GradecourseRow>;

constexpr const char* kRemoved = "        ";

Rows stored() {
    return store::CCCRecord().readAll();
}

const Rows kInitial = {{"初二⑶", "语文", "王伟", 6}, {"初二⑶", "数学", "李娜", 5},
                       {"初一⑶", "数学", "李娜", 5}, {"初二⑸", "数学", "李娜", 5},
                       {"初二⑸", "英语", "陈静", 4}, {"初二⑷", "数学", "张强", 5},
                       {"初二⑷", "语文", "王伟", 6}, {"初二⑺", "数学", kRemoved, 5}};

// Four courses, five teachers, 数学 taught by 李娜 and 张强, a normal plan for 初二 (and a
// review plan that is never used), and class plans of 初一 and 初二.
class ClassteacherTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeCourses({"语文", "数学", "英语", "信息技术"});
        storeTeachers({"王伟", "李娜", "张强", "欧阳明", "陈静"});
        store::CCTRecord().append(std::vector<store::CourseteacherRow>{
            {"数学", "李娜"}, {"语文", "王伟"}, {"数学", "张强"}, {"数学", "  "}});
        store::CGCRecord().append(Plan{{"初二", "数学", 9, 3},
                                       {"初二", "语文", 6, 0},
                                       {"初一", "语文", 7, 0},
                                       {"初二", "数学", 5, 0},
                                       {"初二", "英", 2, 0},
                                       {"初二", "英语", 4, 0}});
        store::CCCRecord().append(kInitial);
    }

    void choose(const std::string& grade, const std::string& course, const std::string& teacher) {
        logic.setGrade(grade);
        logic.setCourse(course);
        logic.refreshTeachers();
        logic.setTeacher(teacher);
        ASSERT_TRUE(logic.complete()) << grade << course << teacher;
    }

    std::vector<int> selected() const {
        std::vector<int> ks;
        for (int k = 1; k <= Classteacher::kClasses; ++k) {
            if (logic.isSelected(k)) {
                ks.push_back(k);
            }
        }
        return ks;
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Classteacher logic{messenger};
};

TEST(ClassteacherUnusable, MissingCourseNamesOrTeachersMakeTheDialogUnusable) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Classteacher logic(messenger);

    storeTeachers({"王伟"});
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");

    // A first name too short to be a course name leaves nothing to choose.
    storeCourses({"语", "数学"});
    EXPECT_FALSE(logic.load());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");

    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{{"数学"}});
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{{"        "}, {"王伟"}});
    EXPECT_FALSE(logic.load());
    EXPECT_EQ(logic.unusableMessage(), "请输入全校教师姓名!");

    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{{"王伟"}});
    EXPECT_TRUE(logic.load());
    EXPECT_TRUE(logic.usable());
    // The logic never speaks for itself here; the menu command shows the reason.
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(ClassteacherTest, ListsStopAtTheFirstBlankNameAndAtTheirCapacity) {
    storeCourses({"物", "化学"});
    Names many;
    for (int i = 0; i < 200; ++i) {
        many.push_back("教师" + std::to_string(i));
    }
    storeTeachers(many);
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.courses(), (Names{"语文", "数学", "英语", "信息技术"}));
    ASSERT_EQ(logic.offeredTeachers().size(), 200U);
    EXPECT_EQ(logic.offeredTeachers().front(), "王伟");
    EXPECT_EQ(logic.offeredTeachers().back(), "教师194");
    EXPECT_EQ(Classteacher::gradeNames(), (Names{"初一", "初二", "初三", "高一", "高二", "高三"}));
}

TEST_F(ClassteacherTest, ShowsTheClassesOfTheGradeWhereTheTeacherTeachesTheCourse) {
    ASSERT_TRUE(logic.load());
    // Nothing chosen yet: blank, inert buttons.
    EXPECT_EQ(logic.buttonCaption(1), "");
    EXPECT_FALSE(logic.toggleClass(1));
    logic.setGrade("初二");
    logic.setCourse("数学");
    EXPECT_FALSE(logic.complete());
    EXPECT_EQ(logic.buttonCaption(3), "");
    EXPECT_FALSE(logic.toggleClass(3));

    logic.setTeacher("李娜");
    ASSERT_TRUE(logic.complete());
    // 初一⑶ is another grade; 初二⑺'s row of 数学 holds a removed teacher.
    EXPECT_EQ(selected(), (std::vector<int>{3, 5}));
    EXPECT_EQ(logic.selectionText(), "初二⑶ 初二⑸");
    // All twenty classes, whatever the grade's class count.
    EXPECT_EQ(logic.buttonCaption(1), "初二⑴");
    EXPECT_EQ(logic.buttonCaption(20), "初二⒇");
    EXPECT_EQ(logic.buttonCaption(0), "");
    EXPECT_EQ(logic.buttonCaption(21), "");
    EXPECT_FALSE(logic.toggleClass(21));

    logic.setGrade("初一");
    EXPECT_EQ(selected(), (std::vector<int>{3}));
    EXPECT_EQ(logic.buttonCaption(3), "初一⑶");
}

TEST_F(ClassteacherTest, NamesNotOfferedChooseNothing) {
    ASSERT_TRUE(logic.load());
    logic.setGrade("初七");
    logic.setCourse("数学");
    logic.setTeacher("李娜");
    EXPECT_FALSE(logic.complete());
    logic.setGrade("初二");
    EXPECT_TRUE(logic.complete());
    logic.setTeacher(kRemoved); // would match every removed teacher
    EXPECT_FALSE(logic.complete());
    EXPECT_EQ(logic.teacher(), "");
    logic.setTeacher("何平");
    EXPECT_FALSE(logic.complete());
    logic.setTeacher("李娜");
    logic.setCourse("化学");
    EXPECT_FALSE(logic.complete());
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(stored(), kInitial);
}

TEST_F(ClassteacherTest, MoreThanSevenSelectedClassesContinueOnASecondLine) {
    ASSERT_TRUE(logic.load());
    choose("高一", "英语", "陈静");
    for (int k : {20, 1, 2, 3, 4, 5, 6, 7, 9}) {
        ASSERT_TRUE(logic.toggleClass(k));
    }
    EXPECT_EQ(logic.selectionText(), "高一⑴ 高一⑵ 高一⑶ 高一⑷ 高一⑸ 高一⑹ 高一⑺\n高一⑼ 高一⒇");
    ASSERT_TRUE(logic.toggleClass(9));
    ASSERT_TRUE(logic.toggleClass(20));
    EXPECT_EQ(logic.selectionText(), "高一⑴ 高一⑵ 高一⑶ 高一⑷ 高一⑸ 高一⑹ 高一⑺");
}

TEST_F(ClassteacherTest, RemovingAClassBlanksItsTeacherAndNothingElse) {
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜");
    ASSERT_TRUE(logic.toggleClass(3));
    EXPECT_EQ(logic.selectionText(), "初二⑸");
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected[1].teacher = kRemoved;
    EXPECT_EQ(stored(), expected);
    EXPECT_TRUE(messenger.entries().empty());

    // Saving again changes nothing; taking the class back after the save restores it.
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), expected);
    ASSERT_TRUE(logic.toggleClass(3));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), kInitial);
}

TEST_F(ClassteacherTest, RemovingClearsEveryRowOfTheTeacherButNotOtherTeachersRows) {
    // The course stands twice in 初二⑹: 张强 first, 李娜 second.
    store::CCCRecord().append(Rows{{"初二⑹", "数学", "张强", 3}, {"初二⑹", "数学", "李娜", 2}});
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜");
    EXPECT_EQ(selected(), (std::vector<int>{3, 5, 6}));
    ASSERT_TRUE(logic.toggleClass(6));
    ASSERT_TRUE(logic.save());
    const Rows rows = stored();
    ASSERT_EQ(rows.size(), kInitial.size() + 2);
    EXPECT_EQ(rows[rows.size() - 2], (store::ClasscourseRow{"初二⑹", "数学", "张强", 3}));
    EXPECT_EQ(rows.back(), (store::ClasscourseRow{"初二⑹", "数学", kRemoved, 2}));
    logic.setGrade("初二");
    EXPECT_EQ(selected(), (std::vector<int>{3, 5}));
}

TEST_F(ClassteacherTest, AddingAClassWithTheCourseSetsItsFirstRowOfTheCourse) {
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜");
    ASSERT_TRUE(logic.toggleClass(4)); // 张强 teaches it there now
    ASSERT_TRUE(logic.toggleClass(7)); // a removed teacher
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected[5].teacher = "李娜";
    expected[7].teacher = "李娜";
    EXPECT_EQ(stored(), expected);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), expected);
}

TEST_F(ClassteacherTest, AClassWithoutAPlanGetsTheGradesNormalPlan) {
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "张强");
    ASSERT_TRUE(logic.toggleClass(12));
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    // The review plan and the blank course name are not taken; only 数学 has a teacher.
    expected.push_back({"初二⑿", "语文", "", 6});
    expected.push_back({"初二⑿", "数学", "张强", 5});
    expected.push_back({"初二⑿", "英语", "", 4});
    EXPECT_EQ(stored(), expected);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), expected);
    logic.setGrade("初二");
    EXPECT_EQ(selected(), (std::vector<int>{4, 12}));
}

TEST_F(ClassteacherTest, AClassPlanWithoutTheCourseGetsARowForIt) {
    ASSERT_TRUE(logic.load());
    choose("初二", "语文", "王伟");
    ASSERT_TRUE(logic.toggleClass(5)); // planned by the grade: its weekly count
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected.push_back({"初二⑸", "语文", "王伟", 6});
    EXPECT_EQ(stored(), expected);

    // 信息技术 is not in the grade's plan: a class without rows gets the plan and the
    // course, which has no weekly count yet.
    choose("初二", "信息技术", "欧阳明");
    ASSERT_TRUE(logic.toggleClass(3));
    ASSERT_TRUE(logic.toggleClass(9));
    ASSERT_TRUE(logic.save());
    expected.push_back({"初二⑶", "信息技术", "欧阳明", 0});
    expected.push_back({"初二⑼", "语文", "", 6});
    expected.push_back({"初二⑼", "数学", "", 5});
    expected.push_back({"初二⑼", "英语", "", 4});
    expected.push_back({"初二⑼", "信息技术", "欧阳明", 0});
    EXPECT_EQ(stored(), expected);
}

TEST_F(ClassteacherTest, ASaveThatCannotPlaceTheTeacherIsRefusedWhole) {
    ASSERT_TRUE(logic.load());
    // 初三 has no normal plan and 初三⑵ no rows.
    choose("初三", "英语", "陈静");
    ASSERT_TRUE(logic.toggleClass(1));
    ASSERT_TRUE(logic.toggleClass(2));
    store::CCCRecord().append(Rows{{"初三⑴", "英语", "", 3}});
    const Rows before = stored();
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"初三⑵还没有课程设置，请先进行年段课程设置！"}));
    EXPECT_EQ(stored(), before);
    // The choice is kept: taking the class out lets the rest be saved.
    EXPECT_TRUE(logic.isSelected(2));
    ASSERT_TRUE(logic.toggleClass(2));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored().back(), (store::ClasscourseRow{"初三⑴", "英语", "陈静", 3}));

    // A class holding twenty courses cannot take another.
    Rows full;
    for (int i = 0; i < 20; ++i) {
        full.push_back({"初三⑷", "课程" + std::to_string(i), "", 1});
    }
    store::CCCRecord().append(full);
    messenger.clear();
    const Rows withFull = stored();
    choose("初三", "英语", "陈静");
    ASSERT_TRUE(logic.toggleClass(4));
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"初三⑷已有20门课程，不能再增加英语。"}));
    EXPECT_EQ(stored(), withFull);
}

TEST_F(ClassteacherTest, AChangeOfChoiceAsksBeforeItDropsUnsavedToggles) {
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜");
    ASSERT_TRUE(logic.toggleClass(9));
    struct Step {
        std::function<bool()> change;
        std::vector<bool> answers; // the questions it asks and their answers
        bool taken;
        std::vector<int> selected;
    };
    const std::vector<Step> steps = {
        {[&] { return logic.setCourse("语文"); }, {false}, false, {3, 5, 9}},
        {[&] { return logic.setGrade("初一"); }, {false}, false, {3, 5, 9}},
        {[&] { return logic.setTeacher("张强"); }, {false}, false, {3, 5, 9}},
        {[&] { return logic.setTeacher("李娜"); }, {}, true, {3, 5, 9}}, // no change
        {[&] { return logic.setCourse("英语"); }, {true}, true, {}},
        {[&] { return logic.setCourse("数学"); }, {}, true, {3, 5}}, // nothing unsaved
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        messenger.clear();
        for (const bool answer : steps[i].answers) {
            messenger.scriptAnswers({answer});
        }
        EXPECT_EQ(steps[i].change(), steps[i].taken) << i;
        EXPECT_EQ(messenger.texts(), Names(steps[i].answers.size(), Classteacher::kDiscardQuestion))
            << i;
        EXPECT_EQ(selected(), steps[i].selected) << i;
    }
    EXPECT_EQ(logic.grade(), "初二");
    EXPECT_EQ(logic.teacher(), "李娜");
    EXPECT_EQ(stored(), kInitial);
}

TEST_F(ClassteacherTest, ClassesBeyondTheGradesCountCannotBeChosen) {
    store::CGSRecord().append(std::vector<store::GradeclassRow>{{"初二", 4}});
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜"); // 初二⑸ is stored although 初二 has four classes
    struct Case {
        int k;
        bool enabled;
        std::string toolTip;
    };
    const std::string missing = "初二只有 4 个班（见年段班级编辑）";
    for (const Case& c : std::vector<Case>{{1, true, ""},
                                           {4, true, ""},
                                           {5, true, missing},
                                           {6, false, missing},
                                           {20, false, missing}}) {
        EXPECT_EQ(logic.buttonEnabled(c.k), c.enabled) << c.k;
        EXPECT_EQ(logic.buttonToolTip(c.k), c.toolTip) << c.k;
    }
    EXPECT_FALSE(logic.toggleClass(6));
    EXPECT_TRUE(logic.toggleClass(5));  // taken off
    EXPECT_FALSE(logic.toggleClass(5)); // and not put back
    EXPECT_TRUE(logic.toggleClass(4));
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected[3].teacher = kRemoved; // 初二⑸
    expected[5].teacher = "李娜";   // 初二⑷
    EXPECT_EQ(stored(), expected);
    // A grade 年段班级编辑 has not set keeps all twenty.
    choose("初一", "数学", "李娜");
    EXPECT_TRUE(logic.buttonEnabled(20));
    EXPECT_EQ(logic.buttonToolTip(20), "");
}

TEST_F(ClassteacherTest, UnsavedTogglesWriteNothingAndDieWithANewChoice) {
    {
        Classteacher cancelled(messenger);
        ASSERT_TRUE(cancelled.load());
        cancelled.setGrade("初二");
        cancelled.setCourse("数学");
        cancelled.setTeacher("李娜");
        ASSERT_TRUE(cancelled.toggleClass(3));
        ASSERT_TRUE(cancelled.toggleClass(9));
    }
    EXPECT_EQ(stored(), kInitial);

    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜");
    ASSERT_TRUE(logic.toggleClass(3));
    ASSERT_TRUE(logic.toggleClass(9));
    logic.setTeacher("张强");
    logic.setTeacher("李娜");
    EXPECT_EQ(selected(), (std::vector<int>{3, 5}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), kInitial);
}

TEST_F(ClassteacherTest, OfferedTeachersFollowTheCourseAndKeepTheChosenTeacher) {
    ASSERT_TRUE(logic.load());
    const Names roster{"王伟", "李娜", "张强", "欧阳明", "陈静"};
    EXPECT_EQ(logic.offeredTeachers(), roster);
    EXPECT_FALSE(logic.refreshTeachers());

    logic.setCourse("数学");
    // A blank teacher row of the course is not offered.
    EXPECT_TRUE(logic.refreshTeachers());
    EXPECT_EQ(logic.offeredTeachers(), (Names{"李娜", "张强"}));
    EXPECT_FALSE(logic.refreshTeachers());

    // A course without teachers of its own offers the whole roster again.
    logic.setCourse("英语");
    EXPECT_TRUE(logic.refreshTeachers());
    EXPECT_EQ(logic.offeredTeachers(), roster);

    // 陈静, chosen from the roster, is not a teacher of 数学 but stays chosen and offered.
    logic.setGrade("初二");
    logic.setTeacher("陈静");
    logic.setCourse("数学");
    ASSERT_TRUE(logic.complete());
    ASSERT_TRUE(logic.toggleClass(2));
    EXPECT_TRUE(logic.refreshTeachers());
    EXPECT_EQ(logic.offeredTeachers(), (Names{"李娜", "张强", "陈静"}));
    EXPECT_EQ(logic.teacher(), "陈静");
    EXPECT_TRUE(logic.isSelected(2));
    // A teacher not on offer cannot be chosen.
    logic.setTeacher("王伟");
    EXPECT_FALSE(logic.complete());
}

TEST_F(ClassteacherTest, AFailedSaveLeavesTheTableAsItWas) {
    ASSERT_TRUE(logic.load());
    choose("初二", "数学", "李娜");
    ASSERT_TRUE(logic.toggleClass(3));  // an edit
    ASSERT_TRUE(logic.toggleClass(4));  // an edit
    ASSERT_TRUE(logic.toggleClass(11)); // new rows: the last is refused
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [classcourse] "
               "WHEN NEW.[学科] = '英语' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(logic.save(), store::DbError);
    EXPECT_EQ(stored(), kInitial);
    // The toggles are kept for another try.
    db.execute("DROP TRIGGER refuse");
    ASSERT_TRUE(logic.save());
    Rows expected = kInitial;
    expected[1].teacher = kRemoved;
    expected[5].teacher = "李娜";
    expected.push_back({"初二⑾", "语文", "", 6});
    expected.push_back({"初二⑾", "数学", "李娜", 5});
    expected.push_back({"初二⑾", "英语", "", 4});
    EXPECT_EQ(stored(), expected);
}

TEST_F(ClassteacherTest, ClassesThatCouldNotBeReadStayInert) {
    ASSERT_TRUE(logic.load());
    logic.setGrade("初二");
    logic.setCourse("数学");
    db.execute("ALTER TABLE [classcourse] RENAME TO [hidden]");
    EXPECT_THROW(logic.setTeacher("李娜"), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [classcourse]");
    EXPECT_FALSE(logic.complete());
    EXPECT_FALSE(logic.toggleClass(3));
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(stored(), kInitial);
}

} // namespace
