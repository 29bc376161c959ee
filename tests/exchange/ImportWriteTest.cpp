// The import written to a real database: only the touched tables change, in one transaction
// (a failing insert leaves every table as it was), and another program's save meanwhile is
// asked about before it is overwritten.
#include "exchange/ImportWrite.h"
#include "ExchangeTestSchool.h"
#include "exchange/WorkbookWriter.h"

#include "TempDatabase.h"
#include "core/Reported.h"
#include "store/TableWatch.h"

#include <gtest/gtest.h>

using namespace exchange;
using exchangetest::book;
using exchangetest::sheet;
using exchangetest::smallSchool;

namespace {

void storeTables(const SchoolTables& tables) {
    writeImport(planImport(schoolWorkbook(tables), readSchoolTables(), ImportMode::Replace));
}

struct QuestionGuard {
    ~QuestionGuard() { store::setOverwriteQuestion(nullptr); }
};

} // namespace

TEST(ImportWrite, ReplaceFillsAnEmptyDatabaseAndMergeChangesOnlyItsRows) {
    testsupport::TempDatabase db;
    const SchoolTables school = smallSchool();
    storeTables(school);
    EXPECT_EQ(readSchoolTables(), school);

    const ImportPlan plan = importWorkbook(
        book({sheet("资源", {{"课程", "同时上课班数"}, {"语文", "3"}, {"体育", "5"}})}),
        ImportMode::Merge, true);
    ASSERT_FALSE(plan.hasErrors());
    SchoolTables expected = school;
    expected.courseshare = {{"体育", 5}, {"语文", 3}};
    EXPECT_EQ(readSchoolTables(), expected);
}

TEST(ImportWrite, ErrorsOrADryRunWriteNothing) {
    testsupport::TempDatabase db;
    storeTables(smallSchool());
    const Workbook bad = book(
        {sheet("教师", {{"姓名"}, {"欧阳青青青青"}}),
         sheet("课务分工", {{"班级", "学科", "教师", "周课时"}, {"初一⑼", "语文", "张明", "6"}})});
    const ImportPlan refused = importWorkbook(bad, ImportMode::Merge, true);
    EXPECT_EQ(refused.count(Severity::Error), 2);
    const Workbook good = book({sheet("课程", {{"课程"}, {"历史"}})});
    const ImportPlan dry = importWorkbook(good, ImportMode::Replace, false);
    EXPECT_FALSE(dry.hasErrors());
    EXPECT_EQ(readSchoolTables(), smallSchool());
}

TEST(ImportWrite, AFailingInsertLeavesEveryTableAsItWas) {
    testsupport::TempDatabase db;
    storeTables(smallSchool());
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON classcourse WHEN NEW.[学科] = '英语' "
               "BEGIN SELECT RAISE(ABORT, 'refused by test'); END");
    SchoolTables changed = smallSchool();
    changed.coursename.push_back({"历史"});
    changed.teachername.push_back({"钱多多"});
    changed.classcourse[0].teacher = "钱多多";
    const ImportPlan plan =
        planImport(schoolWorkbook(changed), readSchoolTables(), ImportMode::Replace);
    ASSERT_FALSE(plan.hasErrors());
    EXPECT_THROW(writeImport(plan), store::DbError);
    EXPECT_EQ(readSchoolTables(), smallSchool());
}

TEST(ImportWrite, AnotherProgramsSaveIsAskedAboutFirst) {
    testsupport::TempDatabase db;
    QuestionGuard guard;
    storeTables(smallSchool());
    const ImportPlan plan = planImport(book({sheet("课程", {{"课程"}, {"历史"}, {"语文"}})}),
                                       readSchoolTables(), ImportMode::Merge);
    db.execute("INSERT INTO coursename ([coursename]) VALUES ('地理')");
    std::vector<std::string> asked;
    store::setOverwriteQuestion([&](const std::string& text) {
        asked.push_back(text);
        return false;
    });
    EXPECT_THROW(writeImport(plan), ui::Declined);
    ASSERT_EQ(asked.size(), 1u);
    std::vector<store::CoursenameRow> stored = smallSchool().coursename;
    stored.push_back({"地理"});
    EXPECT_EQ(store::CCNRecord().readAll(), stored);

    store::setOverwriteQuestion([&](const std::string&) { return true; });
    writeImport(plan);
    EXPECT_EQ(readSchoolTables().coursename, plan.result.coursename);
}
