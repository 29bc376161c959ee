// Attendanceinput on a temporary database: the opening messages and lists, a week loaded
// into the pages, the paging wrap, texts stored exactly (inner spaces, cut to 8 bytes), the
// week refused unless 1..60, a save that replaces exactly the loaded week, the question
// before adding to a week not loaded, a failed save that keeps the form, the discard
// question, and the 代课 box's candidates.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "attendance/Attendanceinput.h"
#include "store/CATRecord.h"
#include "store/CGSRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using attendance::Attendanceinput;
using Records = std::vector<store::AttendanceRow>;
using Answer = ui::Messenger::Answer;

store::AttendanceRow record(const std::string& teacher, const std::string& week, int day = 2,
                            const std::string& kind = "迟  到") {
    return {teacher, week, "初一⑴", {2024, 9, day, 0, 0, 0}, "星期一", "第一节", kind, "", ""};
}

Records weekOf(const Records& all, const std::string& week) {
    Records out;
    for (const auto& r : all) {
        if (r.week == week) {
            out.push_back(r);
        }
    }
    return out;
}

class AttendanceinputTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CGSRecord().append(std::vector<store::GradeclassRow>{{"初一", 2}, {"高一", 1}});
        testsupport::storeTeachers({"王伟", "李娜", "欧阳明月光"});
    }
    Records stored() { return store::CATRecord().readAll(); }
    Attendanceinput::PageTexts page() const { return form.pageTexts(); }
    Attendanceinput::RowText typed(const std::string& teacher, const std::string& kind) const {
        return {teacher, "2024-09-03", "星期二", "第三节", "初一⑵", kind, "李娜", "病"};
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Attendanceinput form{messenger};
};

TEST_F(AttendanceinputTest, OpeningReadsTheListsOrSaysWhatIsMissing) {
    ASSERT_TRUE(form.load());
    EXPECT_EQ(form.classNames(), (std::vector<std::string>{"初一⑴", "初一⑵", "高一⑴"}));
    // A 10-byte name is offered as its first 6 bytes.
    EXPECT_EQ(form.roster(), (std::vector<std::string>{"王伟", "李娜", "欧阳明"}));
    EXPECT_EQ(form.openingNotice(), "");
    EXPECT_EQ(form.windowTitle(), "本周出勤录入");
    EXPECT_EQ(form.pageCaption(), "第1页");

    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{});
    Attendanceinput noTeachers(messenger);
    EXPECT_TRUE(noTeachers.load());
    EXPECT_EQ(noTeachers.openingNotice(), "请输入所有教师姓名!");
    EXPECT_TRUE(noTeachers.roster().empty());

    store::CGSRecord().replaceAll(std::vector<store::GradeclassRow>{});
    Attendanceinput noClasses(messenger);
    EXPECT_FALSE(noClasses.load());
    EXPECT_EQ(noClasses.unusableMessage(), "请设各年段的班级数!");
}

TEST_F(AttendanceinputTest, TwentyThreeRecordsFillTwoPagesAndThreeRows) {
    Records all;
    for (int i = 0; i < 23; ++i) {
        all.push_back(record(i % 2 == 0 ? "王伟" : "李娜", "5", 1 + i));
        all.push_back(record("欧阳明", "4")); // another week in between
    }
    store::CATRecord().append(all);
    ASSERT_TRUE(form.load());
    ASSERT_TRUE(form.refresh("5", page()));
    EXPECT_EQ(form.windowTitle(), "本周出勤录入—第5周");
    for (int i = 0; i < Attendanceinput::kRows; ++i) {
        const auto& row = form.rows()[static_cast<std::size_t>(i)];
        EXPECT_EQ(row.text.teacher.empty(), i >= 23) << i;
        if (i < 23) {
            EXPECT_EQ(row.date, (school::DateTime{2024, 9, 1 + i, 0, 0, 0})) << i;
        }
    }
    ASSERT_TRUE(form.nextPage(page()));
    ASSERT_TRUE(form.nextPage(page()));
    EXPECT_EQ(form.pageCaption(), "第3页");
    const auto third = page();
    EXPECT_EQ(third[2].teacher, "王伟");
    EXPECT_EQ(third[2].date, "2024-09-23");
    EXPECT_EQ(third[3].teacher, "");
    EXPECT_FALSE(form.modified(page()));
}

TEST_F(AttendanceinputTest, PagingWrapsForwardAndStopsBackwards) {
    ASSERT_TRUE(form.load());
    const std::vector<std::pair<bool, int>> steps = {
        {false, 1}, {true, 2}, {false, 1}, {true, 2}, {true, 3},  {true, 4}, {true, 5},
        {true, 6},  {true, 7}, {true, 8},  {true, 9}, {true, 10}, {true, 1}};
    for (const auto& [forward, expected] : steps) {
        ASSERT_TRUE(forward ? form.nextPage(page()) : form.previousPage(page()));
        EXPECT_EQ(form.page(), expected);
    }
    // A row typed on page 1 is still there after a round.
    auto texts = page();
    texts[4] = typed("王伟", "迟  到");
    ASSERT_TRUE(form.nextPage(texts));
    ASSERT_TRUE(form.previousPage(page()));
    EXPECT_EQ(page()[4].teacher, "王伟");
}

TEST_F(AttendanceinputTest, SavesTheTextsExactly) {
    ASSERT_TRUE(form.load());
    auto texts = page();
    texts[0] = typed("李娜", "公  假");
    texts[0].period = "升  旗";
    texts[0].remark = "外出参加培训";         // 12 bytes: cut to 8
    texts[1] = typed("欧阳明月光", "事  假"); // typed whole: cut to 8 bytes
    texts[2] = typed("王", "迟  到");         // no teacher: skipped
    ASSERT_TRUE(form.save("7", texts));
    EXPECT_EQ(stored(), (Records{{"李娜",
                                  "7",
                                  "初一⑵",
                                  {2024, 9, 3, 0, 0, 0},
                                  "星期二",
                                  "升  旗",
                                  "公  假",
                                  "李娜",
                                  "外出参加"},
                                 {"欧阳明月",
                                  "7",
                                  "初一⑵",
                                  {2024, 9, 3, 0, 0, 0},
                                  "星期二",
                                  "第三节",
                                  "事  假",
                                  "李娜",
                                  "病"}}));
    EXPECT_EQ(form.windowTitle(), "本周出勤录入—第7周");
    EXPECT_FALSE(form.modified(page()));
}

TEST_F(AttendanceinputTest, TheWeekMustBeAWholeNumberFromOneToSixty) {
    store::CATRecord().append(Records{record("王伟", "05"), record("李娜", "60")});
    ASSERT_TRUE(form.load());
    auto texts = page();
    texts[0] = typed("王伟", "迟  到");
    for (const std::string week : {"", "abc", "0", "61", "5.5", "-3", "第5周", "1 2"}) {
        messenger.clear();
        EXPECT_FALSE(form.refresh(week, texts)) << week;
        EXPECT_FALSE(form.save(week, texts)) << week;
        EXPECT_EQ(messenger.texts(), (std::vector<std::string>{"请输入周别（1 到 60 的整数）。",
                                                               "请输入周别（1 到 60 的整数）。"}))
            << week;
    }
    EXPECT_EQ(stored().size(), 2U);
    // "05" is week 5, as the statistics read it.
    ASSERT_TRUE(form.refresh(" 5", Attendanceinput::PageTexts{}));
    EXPECT_EQ(page()[0].teacher, "王伟");
    EXPECT_EQ(page()[1].teacher, "");
}

TEST_F(AttendanceinputTest, SavingTheLoadedWeekReplacesExactlyIt) {
    store::CATRecord().append(Records{record("王伟", "5"), record("李娜", "5"),
                                      record("欧阳明", "4"), record("王伟", "05", 9)});
    ASSERT_TRUE(form.load());
    ASSERT_TRUE(form.refresh("5", page()));
    auto texts = page();
    ASSERT_EQ(texts[2].teacher, "王伟");
    texts[0] = {}; // the first row emptied
    texts[3] = typed("李娜", "缺  勤");
    ASSERT_TRUE(form.save("5", texts));
    ASSERT_TRUE(form.save("5", page())); // a second save changes nothing
    const Records all = stored();
    EXPECT_EQ(weekOf(all, "4").size(), 1U);
    const Records week5 = weekOf(all, "5");
    ASSERT_EQ(week5.size(), 3U);
    EXPECT_EQ(week5[0].teacher, "李娜");
    EXPECT_EQ(week5[1].date, (school::DateTime{2024, 9, 9, 0, 0, 0}));
    EXPECT_EQ(week5[2].kind, "缺  勤");
    EXPECT_EQ(all.size(), 4U);
}

TEST_F(AttendanceinputTest, RecordsBeyondTheHundredthAreKeptBySave) {
    Records all(103, record("王伟", "5"));
    all[101].teacher = "李娜";
    all.push_back(record("欧阳明", "6"));
    store::CATRecord().append(all);
    ASSERT_TRUE(form.load());
    ASSERT_TRUE(form.refresh("5", page()));
    EXPECT_EQ(messenger.texts(),
              (std::vector<std::string>{
                  "第5周有 103 条记录，本表只能列出前 100 条；其余 3 条存盘时原样保留。"}));
    auto texts = page();
    texts[0].teacher = "欧阳明";
    ASSERT_TRUE(form.save("5", texts));
    const Records week5 = weekOf(stored(), "5");
    ASSERT_EQ(week5.size(), 103U);
    EXPECT_EQ(week5[0].teacher, "欧阳明");
    EXPECT_EQ(week5[101].teacher, "李娜");
    EXPECT_EQ(weekOf(stored(), "6").size(), 1U);
}

TEST_F(AttendanceinputTest, AWeekNotLoadedIsAddedToOnlyWhenTheUserSaysSo) {
    store::CATRecord().append(Records{record("王伟", "6"), record("李娜", "6")});
    ASSERT_TRUE(form.load());
    // An empty form has nothing to add: no question, nothing written, the week shown.
    ASSERT_TRUE(form.save("6", page()));
    EXPECT_TRUE(messenger.entries().empty());
    EXPECT_EQ(stored().size(), 2U);
    ASSERT_TRUE(form.refresh("7", page()));
    auto texts = page();
    texts[0] = typed("欧阳明", "早  退");
    messenger.scriptAnswers({false, true});
    EXPECT_FALSE(form.save("6", texts));
    EXPECT_EQ(stored().size(), 2U);
    ASSERT_TRUE(form.save("6", texts));
    EXPECT_EQ(messenger.texts(), (std::vector<std::string>{
                                     "第6周已有 2 条记录，未经刷新载入。把本表记录添加进去吗？",
                                     "第6周已有 2 条记录，未经刷新载入。把本表记录添加进去吗？"}));
    EXPECT_EQ(weekOf(stored(), "6").size(), 3U);
    // The form now shows the whole week; a new week is written without a question.
    EXPECT_EQ(page()[2].teacher, "欧阳明");
    messenger.clear();
    ASSERT_TRUE(form.save("8", page()));
    EXPECT_TRUE(messenger.entries().empty());
    EXPECT_EQ(weekOf(stored(), "8").size(), 3U);
}

TEST_F(AttendanceinputTest, ABadDateOrAFailedSaveKeepsTheForm) {
    ASSERT_TRUE(form.load());
    auto texts = page();
    texts[0] = typed("王伟", "迟  到");
    texts[1] = typed("李娜", "迟  到");
    texts[1].date = "2024-02-30";
    EXPECT_EQ(form.takePage(texts), 1);
    EXPECT_FALSE(form.save("3", texts));
    EXPECT_FALSE(form.nextPage(texts));
    EXPECT_TRUE(
        messenger.said("第2行的日期“2024-02-30”不是有效的日期，请按 2024-09-02 的格式输入。"));
    EXPECT_EQ(form.page(), 1);
    EXPECT_TRUE(stored().empty());

    texts[1].date = "";
    db.execute("DROP TABLE attendance");
    messenger.clear();
    EXPECT_FALSE(form.save("3", texts));
    ASSERT_EQ(messenger.entries().size(), 1U);
    EXPECT_NE(messenger.texts()[0].find("attendance"), std::string::npos) << messenger.texts()[0];
    EXPECT_EQ(page()[1].teacher, "李娜");
    EXPECT_TRUE(form.modified(page()));
}

TEST_F(AttendanceinputTest, UnsavedEditsAreAskedAboutBeforeTheyAreDropped) {
    store::CATRecord().append(Records{record("王伟", "2")});
    ASSERT_TRUE(form.load());
    EXPECT_TRUE(form.mayClose(page()));
    auto texts = page();
    texts[0] = typed("李娜", "迟  到");
    messenger.scriptAnswers({false, false, true});
    EXPECT_FALSE(form.mayClose(texts));
    EXPECT_FALSE(form.refresh("2", texts));
    EXPECT_EQ(page()[0].teacher, "");
    ASSERT_TRUE(form.refresh("2", texts));
    EXPECT_EQ(page()[0].teacher, "王伟");
    EXPECT_EQ(messenger.texts(),
              std::vector<std::string>(3, "出勤记录已修改，放弃未存盘的修改吗？"));
}

TEST_F(AttendanceinputTest, TheSubstituteBoxOffersCandidatesForAMissedLesson) {
    ASSERT_TRUE(form.load());
    school::SchoolTimetable timetable;
    timetable.cell(0, 0, 1, 3) = "王伟";
    timetable.cell(0, 1, 1, 3) = "李娜"; // busy then
    form.setCandidates(attendance::SubstituteCandidates({"王伟", "李娜", "欧阳明月光"},
                                                        timetable::AutoOrderData(), timetable, {}));
    using Choices = std::vector<Attendanceinput::SubstituteChoice>;
    const Choices roster = {{"王伟", ""}, {"李娜", ""}, {"欧阳明", ""}};
    auto row = typed("王伟", "事  假");
    EXPECT_EQ(form.substituteChoices(row),
              (Choices{{"欧阳明", "当天0节 · 本周0节"}, {"李娜", "（该节有课）"}}));
    for (const std::string kind : {"迟  到", "公  代", ""}) {
        row.category = kind;
        EXPECT_EQ(form.substituteChoices(row), roster) << kind;
    }
    row.category = "缺  勤";
    row.period = "早督修";
    EXPECT_EQ(form.substituteChoices(row), roster);
}

} // namespace
