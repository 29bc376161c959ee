// The review timetable's logic: loading a grade with its review days, the day clamp, the
// arrangement from the review plan, saving (a second save edits, no other grade's rows
// move, a failure keeps table and edits), the question before unsaved edits are dropped,
// the view switch, and the report table.
#include "arrange/Reviewlesson.h"

#include "RecordingMessenger.h"
#include "TempDatabase.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "reports/DocumentBuilder.h"
#include "store/CCCRecord.h"
#include "store/CGCRecord.h"
#include "store/CRLRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using arrange::Reviewlesson;
using Answer = ui::Messenger::Answer;
using Row = store::ReviewlessonRow;

// Seven rows of a class: day d of period p holds "<teacher>" for the days given.
std::vector<Row> classRows(int grade, int cls, int days, const std::string& teacher) {
    std::vector<Row> rows;
    for (int p = 1; p <= school::kPeriods; ++p) {
        Row row;
        row.className = school::className(grade, cls);
        row.number = (grade + 1) * 10000 + cls * 100 + p;
        for (int d = 0; d < days; ++d) {
            row.days[static_cast<std::size_t>(d)] = teacher + std::to_string(p);
        }
        rows.push_back(row);
    }
    return rows;
}

class ReviewlessonTest : public ::testing::Test {
protected:
    void store(const std::vector<Row>& rows) { store::CRLRecord().append(rows); }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(ReviewlessonTest, LoadsAGradeWithItsReviewDaysAndClampsTheDay) {
    store(classRows(0, 1, 3, "语文师"));
    store(classRows(0, 2, 3, "数学师"));
    store(classRows(1, 1, 7, "英语师"));
    Reviewlesson r(m_messenger);
    EXPECT_EQ(r.view().title, "复习课程编排—初一");
    EXPECT_EQ(r.reviewDays(), 3);
    EXPECT_EQ(r.classCount(), 2);
    EXPECT_EQ(r.view().dayName, "第一天");
    r.previousDay();
    EXPECT_EQ(r.day(), 0); // no wrap
    for (int i = 0; i < 5; ++i) {
        r.nextDay();
    }
    EXPECT_EQ(r.view().dayName, "第三天");
    EXPECT_EQ(r.view().grid[1][1].caption, "数学师");
    EXPECT_EQ(r.timetable().cell(0, 1, 2, 1), "数学师1"); // held whole, shown cut

    EXPECT_TRUE(r.nextGrade());
    EXPECT_EQ(r.view().title, "复习课程编排—初二");
    EXPECT_EQ(r.reviewDays(), 7);
    EXPECT_EQ(r.day(), 0);
    EXPECT_EQ(r.classWeek(0)[6][3], "英语师3");
}

TEST_F(ReviewlessonTest, ExchangesAcrossDaysAndSavesOnlyItsOwnRowsInPlace) {
    store(classRows(2, 1, 4, "语文师"));
    store(classRows(3, 1, 4, "别的")); // another grade
    Reviewlesson r(m_messenger);
    r.nextGrade();
    r.nextGrade();
    r.clickCell(0, 1);
    r.nextDay();
    r.clickCell(0, 2);
    EXPECT_EQ(r.timetable().cell(2, 0, 0, 1), "语文师2");
    EXPECT_EQ(r.timetable().cell(2, 0, 1, 2), "语文师1");
    EXPECT_TRUE(r.modified());
    ASSERT_TRUE(r.save());
    ASSERT_TRUE(r.save()); // a second save edits the same rows
    const auto rows = store::CRLRecord().readAll();
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](const Row& row) { return row.days[0] == "别的1"; }),
              1);
    const auto first =
        std::find_if(rows.begin(), rows.end(), [](const Row& row) { return row.number == 30101; });
    ASSERT_NE(first, rows.end());
    EXPECT_EQ(first->days[0], "语文师2");
    EXPECT_FALSE(r.modified());
    EXPECT_TRUE(r.undo());
    EXPECT_EQ(r.timetable().cell(2, 0, 0, 1), "语文师1");
}

TEST_F(ReviewlessonTest, UnsavedEditsAreAskedAboutBeforeTheyAreDropped) {
    store(classRows(0, 1, 2, "语文师"));
    Reviewlesson r(m_messenger);
    r.clickCell(0, 1);
    r.clickCell(0, 3);
    // 取消 stays on the grade with the edits
    m_messenger.scriptAsks({Answer::Cancel, Answer::No});
    EXPECT_FALSE(r.nextGrade());
    EXPECT_EQ(r.grade(), 0);
    EXPECT_TRUE(r.modified());
    EXPECT_EQ(m_messenger.entries().back().text, Reviewlesson::kSaveQuestion);
    EXPECT_TRUE(r.mayClose()); // 否: close, dropping the edits
    EXPECT_EQ(store::CRLRecord().readAll()[0].days[0], "语文师1");

    // 是 saves first; a failed save keeps the dialog, the table and the edits
    m_db.execute("CREATE TRIGGER stop BEFORE INSERT ON reviewlesson "
                 "BEGIN SELECT RAISE(ABORT, 'stop here'); END");
    m_messenger.scriptAsks({Answer::Yes});
    EXPECT_FALSE(r.mayClose());
    EXPECT_NE(m_messenger.entries().back().text.find("stop here"), std::string::npos);
    EXPECT_EQ(store::CRLRecord().readAll()[0].days[0], "语文师1");
    EXPECT_EQ(r.timetable().cell(0, 0, 0, 1), "语文师3");
    m_db.execute("DROP TRIGGER stop");
    m_messenger.scriptAsks({Answer::Yes});
    EXPECT_TRUE(r.nextGrade());
    const auto rows = store::CRLRecord().readAll();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const Row& row) {
        return row.number == 10103 && row.days[0] == "语文师1";
    }));
    m_messenger.clear();
    EXPECT_TRUE(r.mayClose()); // nothing unsaved: no question
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(ReviewlessonTest, RearrangesFromThePlanSwitchesViewsAndBuildsTheReport) {
    std::vector<store::GradecourseRow> plan = {
        {"初一", "语文", 6, 5}, {"初一", "数学", 6, 5}, {"初一", "英语", 5, 7}};
    store::CGCRecord().append(plan);
    std::vector<store::ClasscourseRow> courses;
    for (int c = 1; c <= 2; ++c) {
        for (const char* course : {"语文", "数学", "英语"}) {
            courses.push_back({school::className(0, c), course,
                               std::string(course) + "师" + std::to_string(c), 5});
        }
    }
    store::CCCRecord().append(courses);
    Reviewlesson r(m_messenger);
    EXPECT_EQ(r.reviewDays(), 0);
    ASSERT_TRUE(r.rearrange());
    EXPECT_EQ(r.reviewDays(), 7); // the last review row of the plan
    EXPECT_EQ(r.view().grid[0][1].caption, "初一⑵");
    EXPECT_TRUE(r.view().status.starts_with("剩余：碰课 0 处"));

    r.switchView();
    EXPECT_EQ(r.viewMode(), Reviewlesson::kCourseView);
    int chinese = 0;
    for (int d = 0; d < 7; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            chinese += r.timetable().cell(0, 1, d, p) == "语文" ? 1 : 0;
            EXPECT_NE(r.timetable().cell(0, 1, d, p), "语文师2");
        }
    }
    EXPECT_EQ(chinese, 6);
    r.switchView();
    EXPECT_EQ(r.timetable().cell(0, 1, 0, 0), "初一⑵");

    const reports::ReportTable table = r.reportTable();
    EXPECT_EQ(table.reviewDays, 7);
    ASSERT_EQ(table.classes.size(), 2u);
    EXPECT_EQ(table.classes[1].cells.size(), 70u);
    // empty cells stay empty in the timetable: "自习" belongs to the document
    const auto& cells = table.classes[1].cells;
    EXPECT_NE(std::find(cells.begin(), cells.begin() + 49, std::string()), cells.begin() + 49);
    EXPECT_EQ(std::find(cells.begin(), cells.end(), "自习"), cells.end());
}

// "优化编排": three classes sharing two teachers of every course, from the course view; one
// undoable step that leaves no clash and every review lesson in place; a grade without a plan
// is told and changes nothing once undone.
TEST_F(ReviewlessonTest, OptimisesTheShownGradeWithoutClashesAsOneUndoableStep) {
    std::vector<store::GradecourseRow> plan = {
        {"初一", "语文", 6, 5}, {"初一", "数学", 5, 5}, {"初一", "英语", 5, 5}};
    store::CGCRecord().append(plan);
    std::vector<store::ClasscourseRow> courses;
    for (int c = 1; c <= 3; ++c) {
        for (const char* course : {"语文", "数学", "英语"}) {
            courses.push_back({school::className(0, c), course,
                               std::string(course) + "师" + std::to_string(c == 3 ? 2 : 1), 5});
        }
    }
    store::CCCRecord().append(courses);
    Reviewlesson r(m_messenger);
    ASSERT_TRUE(r.rearrange());
    r.switchView();
    const school::ReviewTimetable before = r.timetable();

    ASSERT_TRUE(r.optimiseShownGrade(5));
    EXPECT_TRUE(m_messenger.entries().empty());
    EXPECT_EQ(r.viewMode(), Reviewlesson::kTeacherView);
    EXPECT_EQ(r.reviewDays(), 5);
    EXPECT_EQ(r.view().grid[0][2].caption, "初一⑶");
    EXPECT_TRUE(r.view().status.starts_with("剩余：碰课 0 处")) << r.view().status;
    for (int c = 0; c < 3; ++c) {
        int placed = 0;
        for (int d = 0; d < 5; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                placed += gbk::isBlank(r.timetable().cell(0, c, d, p)) ? 0 : 1;
            }
        }
        EXPECT_EQ(placed, 16) << "class " << c;
    }
    ASSERT_TRUE(r.undo());
    EXPECT_TRUE(r.timetable() == before);
    EXPECT_EQ(r.viewMode(), Reviewlesson::kCourseView);
    ASSERT_TRUE(r.redo());
    EXPECT_EQ(r.viewMode(), Reviewlesson::kTeacherView);

    m_messenger.scriptAsks({Answer::No}); // drop the unsaved arrangement
    ASSERT_TRUE(r.nextGrade());
    const std::size_t told = m_messenger.entries().size();
    EXPECT_FALSE(r.optimiseShownGrade(1));
    ASSERT_EQ(m_messenger.entries().size(), told + 1);
    const auto& entry = m_messenger.entries().back();
    EXPECT_EQ(entry.kind, testsupport::RecordingMessenger::Entry::Kind::Error);
    EXPECT_NE(entry.text.find("初二 没有复习计划"), std::string::npos) << entry.text;
}

} // namespace

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Seven review days of two classes, exported: two pages, 六 and 七 heading the second, empty
// cells read 自 in the document while the timetable keeps them empty.
TEST_F(ReviewlessonTest, ASevenDayExportHasTwoPagesAgainstItsGoldenFile) {
    std::vector<Row> rows = classRows(5, 1, 7, "语文师");
    const std::vector<Row> second = classRows(5, 2, 7, "数学师");
    rows.insert(rows.end(), second.begin(), second.end());
    rows[6].days[2].clear(); // 高三⑴, third day, period 7: a free period
    store(rows);
    Reviewlesson r(m_messenger);
    for (int i = 0; i < 5; ++i) {
        r.nextGrade();
    }
    ASSERT_EQ(r.reviewDays(), 7);
    const auto built = reports::buildDocument(reports::ReportKind::ReviewTimetable, r.reportTable(),
                                              fileBytes(TAVLEN_TEMPLATE_DIR "/lessonr"));
    ASSERT_TRUE(built) << built.error;
    const std::string path = TAVLEN_TEST_DATA "/review_d7_expected.txt";
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << built.document->bytes;
    }
    EXPECT_EQ(built.document->pageCount(), 2);
    EXPECT_EQ(built.document->bytes, fileBytes(path));
    const std::string page2 = gbk::fromGbk(built.document->line(1, 1));
    EXPECT_NE(page2.find("六"), std::string::npos);
    EXPECT_NE(page2.find("七"), std::string::npos);
    EXPECT_TRUE(r.timetable().cell(5, 0, 2, 7).empty());
}

} // namespace
