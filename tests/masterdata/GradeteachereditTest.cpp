// Gradeteacheredit on a temporary database: the subject's rows are replaced and no others,
// its list holds each teacher once, unsaved changes die with a subject switch, and the
// dialog is unusable (with its message) while course names or teachers are missing.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/Gradeteacheredit.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CTNRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::storeTeachers;

using testsupport::storeCourses;

using masterdata::Gradeteacheredit;
using Names = std::vector<std::string>;
using Pairs = std::vector<store::CourseteacherRow>;

Pairs storedPairs() {
    return store::CCTRecord().readAll();
}

// A school with four courses (the last one of four characters) and five teachers, and
// some course teachers already recorded.
class GradeteachereditTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeCourses({"语文", "数学", "英语", "信息技术"});
        storeTeachers({"王伟", "李娜", "张强", "欧阳明", "陈静"});
        store::CCTRecord().append(
            Pairs{{"语文", "王伟"}, {"数学", "李娜"}, {"语文", "张强"}, {"英语", "陈静"}});
    }

    int courseIndex(const std::string& name) const {
        const auto& c = logic.courses();
        return static_cast<int>(std::find(c.begin(), c.end(), name) - c.begin());
    }
    int rosterIndex(const std::string& name) const {
        const auto& r = logic.roster();
        return static_cast<int>(std::find(r.begin(), r.end(), name) - r.begin());
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Gradeteacheredit logic{messenger};
};

TEST(GradeteachereditUnusable, NoCourseNamesGivesTheCourseMessage) {
    const testsupport::TempDatabase db;
    storeTeachers({"王伟"});
    testsupport::RecordingMessenger messenger;
    Gradeteacheredit logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");
    // The factory shows the message; the logic itself says nothing.
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(GradeteachereditUnusable, NoTeachersGivesTheRosterMessage) {
    const testsupport::TempDatabase db;
    storeCourses({"语文"});
    testsupport::RecordingMessenger messenger;
    Gradeteacheredit logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_EQ(logic.unusableMessage(), "请输入所有教师名字!");
}

TEST(GradeteachereditUnusable, ATableWhoseFirstNameIsBlankHoldsNoUsableName) {
    const testsupport::TempDatabase db;
    storeCourses({"语", "数学"});
    storeTeachers({"王伟"});
    testsupport::RecordingMessenger messenger;
    Gradeteacheredit logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");
}

TEST_F(GradeteachereditTest, ListsFollowTableOrderUpToTheFirstBlankName) {
    storeCourses({"物", "化学"}); // blank at place 5: 化学 is not offered
    storeTeachers({"", "何平"});  // blank at place 6
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.courses(), (Names{"语文", "数学", "英语", "信息技术"}));
    EXPECT_EQ(logic.roster(), (Names{"王伟", "李娜", "张强", "欧阳明", "陈静"}));
    EXPECT_FALSE(logic.hasSubject());
    EXPECT_TRUE(logic.subjectTeachers().empty());
}

TEST_F(GradeteachereditTest, AtMostTwentyCoursesAreOffered) {
    Names more;
    for (int i = 0; i < 20; ++i) {
        more.push_back("课程" + std::to_string(i));
    }
    storeCourses(more);
    ASSERT_TRUE(logic.load());
    ASSERT_EQ(logic.courses().size(), 20U);
    EXPECT_EQ(logic.courses().back(), "课程15");
}

TEST_F(GradeteachereditTest, ChoosingASubjectShowsItsTeachersInStoredOrder) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("语文"));
    EXPECT_EQ(logic.subject(), "语文");
    EXPECT_EQ(logic.subjectTeachers(), (Names{"王伟", "张强"}));
    logic.chooseSubject(courseIndex("信息技术"));
    EXPECT_TRUE(logic.subjectTeachers().empty());
}

TEST_F(GradeteachereditTest, AddingATeacherTwiceKeepsOneEntry) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("语文"));
    EXPECT_FALSE(logic.addTeacher(rosterIndex("王伟")));
    EXPECT_TRUE(logic.addTeacher(rosterIndex("欧阳明")));
    EXPECT_FALSE(logic.addTeacher(rosterIndex("欧阳明")));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"王伟", "张强", "欧阳明"}));
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(GradeteachereditTest, AddAndDeleteWithoutASelectionDoNothing) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("语文"));
    EXPECT_FALSE(logic.addTeacher(-1));
    EXPECT_FALSE(logic.addTeacher(5));
    EXPECT_FALSE(logic.removeTeacher(-1));
    EXPECT_FALSE(logic.removeTeacher(2));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"王伟", "张强"}));
}

TEST_F(GradeteachereditTest, SaveReplacesTheSubjectsRowsInListOrderAndKeepsOtherSubjects) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("语文"));
    ASSERT_TRUE(logic.removeTeacher(0)); // 王伟 goes, 张强 moves up
    ASSERT_TRUE(logic.addTeacher(rosterIndex("陈静")));
    ASSERT_TRUE(logic.addTeacher(rosterIndex("王伟")));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"张强", "陈静", "王伟"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedPairs(), (Pairs{{"数学", "李娜"},
                                    {"英语", "陈静"},
                                    {"语文", "张强"},
                                    {"语文", "陈静"},
                                    {"语文", "王伟"}}));
    // 存盘 keeps the dialog open: a second save writes the same rows again, not twice.
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedPairs().size(), 5U);
}

TEST_F(GradeteachereditTest, SavingAnEmptiedSubjectDeletesItsRowsOnly) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("语文"));
    ASSERT_TRUE(logic.removeTeacher(1));
    ASSERT_TRUE(logic.removeTeacher(0));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedPairs(), (Pairs{{"数学", "李娜"}, {"英语", "陈静"}}));
}

TEST_F(GradeteachereditTest, SwitchingSubjectsDiscardsUnsavedChanges) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("数学"));
    ASSERT_TRUE(logic.addTeacher(rosterIndex("张强")));
    logic.chooseSubject(courseIndex("英语"));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"陈静"}));
    logic.chooseSubject(courseIndex("数学"));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"李娜"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedPairs().size(), 4U);
}

TEST_F(GradeteachereditTest, OneTeacherMayTeachSeveralSubjects) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("信息技术"));
    ASSERT_TRUE(logic.addTeacher(rosterIndex("李娜")));
    ASSERT_TRUE(logic.save());
    logic.chooseSubject(courseIndex("数学"));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"李娜"}));
    // The whole four-character course name is the subject.
    EXPECT_EQ(storedPairs().back(), (store::CourseteacherRow{"信息技术", "李娜"}));
}

TEST_F(GradeteachereditTest, WithoutASubjectAddAndSaveAreRefusedAndNothingIsWritten) {
    ASSERT_TRUE(logic.load());
    const Pairs before = storedPairs();
    EXPECT_FALSE(logic.addTeacher(rosterIndex("王伟")));
    EXPECT_EQ(messenger.texts(), (Names{"请先选择学科!"}));
    EXPECT_TRUE(logic.subjectTeachers().empty());
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"请先选择学科!", "请先选择学科!"}));
    EXPECT_EQ(storedPairs(), before);

    // Choosing no subject after a subject drops the subject again.
    logic.chooseSubject(courseIndex("语文"));
    logic.chooseSubject(-1);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(storedPairs(), before);
}

TEST_F(GradeteachereditTest, EditsThatAreNeverSavedWriteNothing) {
    {
        Gradeteacheredit cancelled(messenger);
        ASSERT_TRUE(cancelled.load());
        cancelled.chooseSubject(0);
        ASSERT_TRUE(cancelled.removeTeacher(0));
        ASSERT_TRUE(cancelled.addTeacher(3));
    }
    EXPECT_EQ(storedPairs(),
              (Pairs{{"语文", "王伟"}, {"数学", "李娜"}, {"语文", "张强"}, {"英语", "陈静"}}));
}

TEST_F(GradeteachereditTest, AStoredBlankTeacherDoesNotHideTheTeachersAfterIt) {
    store::CCTRecord().append(Pairs{{"数学", ""}, {"数学", "何平"}});
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("数学"));
    EXPECT_EQ(logic.subjectTeachers(), (Names{"李娜", "何平"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedPairs(), (Pairs{{"语文", "王伟"},
                                    {"语文", "张强"},
                                    {"英语", "陈静"},
                                    {"数学", "李娜"},
                                    {"数学", "何平"}}));
}

TEST_F(GradeteachereditTest, AFailedSaveLeavesTheTableAsItWas) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("语文"));
    ASSERT_TRUE(logic.addTeacher(rosterIndex("欧阳明")));
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [courseteacher] "
               "WHEN NEW.[teacher] = '欧阳明' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(logic.save(), store::DbError);
    EXPECT_EQ(storedPairs(),
              (Pairs{{"语文", "王伟"}, {"数学", "李娜"}, {"语文", "张强"}, {"英语", "陈静"}}));
}

TEST_F(GradeteachereditTest, ASubjectWhoseRowsCouldNotBeReadIsNotChosen) {
    ASSERT_TRUE(logic.load());
    logic.chooseSubject(courseIndex("数学"));
    db.execute("ALTER TABLE [courseteacher] RENAME TO [hidden]");
    EXPECT_THROW(logic.chooseSubject(courseIndex("语文")), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [courseteacher]");
    EXPECT_FALSE(logic.hasSubject());
    // Saving now must not replace 语文's teachers by the empty list.
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(storedPairs().size(), 4U);
}

} // namespace
