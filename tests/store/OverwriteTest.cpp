// A save never silently undoes another program's save: the rows a save would delete are
// compared with what this process read, another program's changes to them bring up the
// overwrite question, 否 writes nothing, and changes to rows the save does not own pass.
// "Another program" is a separate connection writing through plain SQL.
#include "TempDatabase.h"

#include "core/Reported.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/TableWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Row = store::ClasscourseRow;

class Overwrite : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCCRecord().append(
            std::vector<Row>{{"初一⑴", "语文", "王伟", 6}, {"初二⑴", "数学", "李娜", 5}});
        store::setOverwriteQuestion([this](const std::string& text) {
            m_asked.push_back(text);
            return m_answer;
        });
    }
    void TearDown() override { store::setOverwriteQuestion({}); }

    static bool firstGrade(const Row& r) { return r.className == "初一⑴"; }

    testsupport::TempDatabase m_db;
    std::vector<std::string> m_asked;
    bool m_answer = false;
};

TEST_F(Overwrite, AnotherProgramsChangeToOwnedRowsAsksAndNoWritesNothing) {
    store::CCCRecord().readAll();
    m_db.execute("UPDATE classcourse SET 教师 = '陈静' WHERE 班级 = '初一⑴'");
    const std::vector<Row> mine = {{"初一⑴", "语文", "赵六", 6}};
    EXPECT_THROW(store::CCCRecord().replace(firstGrade, mine), ui::Declined);
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], "班级课程表已被其他程序修改。仍然存盘会覆盖那些修改，继续吗？");
    EXPECT_EQ(store::CCCRecord().readAll()[0].teacher, "陈静");

    // having read it again, the save goes through without a question
    store::CCCRecord().replace(firstGrade, mine);
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(store::CCCRecord().readAll()[1].teacher, "赵六");
}

TEST_F(Overwrite, YesOverwritesAndTheProcessesOwnSavesNeverAsk) {
    store::CGLRecord().readAll(); // an empty table read is remembered too
    m_db.execute("INSERT INTO gradelesson (class, number, monday) VALUES ('初一⑴', 10101, '王伟')");
    m_answer = true;
    store::CGLRecord().replaceAll(std::vector<store::GradelessonRow>{{"初二⑴", 20101, {"李娜"}}});
    EXPECT_EQ(m_asked, std::vector<std::string>{
                           "年段课程表已被其他程序修改。仍然存盘会覆盖那些修改，继续吗？"});
    ASSERT_EQ(store::CGLRecord().readAll().size(), 1u);

    // our own saves, appends and row edits keep what we know in step
    m_asked.clear();
    store::CCCRecord records;
    records.readAll();
    records.append(std::vector<Row>{{"初三⑴", "英语", "张敏", 4}});
    records.open();
    records.edit();
    records.fields()[2] = std::string("王五");
    records.update();
    records.moveNext();
    records.deleteRow();
    records.addNew();
    records.fields()[0] = std::string("高一⑴");
    records.update();
    store::CCCRecord().replaceAll(std::vector<Row>{{"高二⑴", "语文", "王伟", 6}});
    EXPECT_TRUE(m_asked.empty());
}

TEST_F(Overwrite, ChangesToRowsTheSaveDoesNotOwnPassWithoutAQuestion) {
    store::CCCRecord().readAll();
    m_db.execute("UPDATE classcourse SET 周课时 = 4 WHERE 班级 = '初二⑴'");
    m_db.execute("INSERT INTO classcourse (班级, 学科, 教师, 周课时) VALUES ('初三⑴', '物理', "
                 "'陈静', 3)");
    store::CCCRecord().replace(firstGrade, std::vector<Row>{{"初一⑴", "语文", "赵六", 6}});
    EXPECT_TRUE(m_asked.empty());
    const std::vector<Row> expected = {
        {"初二⑴", "数学", "李娜", 4}, {"初三⑴", "物理", "陈静", 3}, {"初一⑴", "语文", "赵六", 6}};
    EXPECT_EQ(store::CCCRecord().readAll(), expected);
}

TEST_F(Overwrite, WithoutAQuestionTheSaveGoesAhead) {
    store::setOverwriteQuestion({});
    store::CCCRecord().readAll();
    m_db.execute("DELETE FROM classcourse");
    store::CCCRecord().replace(firstGrade, std::vector<Row>{{"初一⑴", "语文", "赵六", 6}});
    EXPECT_EQ(store::CCCRecord().readAll().size(), 1u);
}

} // namespace
