// The monthly and term workload on a temporary database: which attendance records count for
// which value in a week range, the duty slots of [supervise], the weekly load of [classcourse],
// full attendance, the month's boxes and its "无出勤记录!", and the document's pages.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "StatisticsRecords.h"
#include "TempDatabase.h"

#include "attendance/Attendancemonth.h"
#include "attendance/WorkloadTable.h"
#include "core/Gbk.h"
#include "reports/DocumentBuilder.h"
#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CSORecord.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using attendance::Attendancemonth;
using attendance::TeacherWorkload;
using attendance::WeekRange;
using statisticstest::record;
using Records = std::vector<store::AttendanceRow>;
using Values = std::array<int, TeacherWorkload::kValues>;

// The roster's values by name.
std::map<std::string, Values> valuesOf(const attendance::Workload& workload) {
    std::map<std::string, Values> values;
    for (const TeacherWorkload& teacher : workload.teachers) {
        values[teacher.name] = teacher.values;
    }
    return values;
}

class WorkloadTableTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::storeTeachers({"王伟", "李娜", "欧阳明月"}); }

    testsupport::TempDatabase db;
};

TEST_F(WorkloadTableTest, EachRecordCountsForItsValueInTheWeekRange) {
    struct Case {
        const char* what;
        Records records;
        WeekRange range;
        std::map<std::string, Values> changed; // the teachers whose values are not all 0
    };
    const std::vector<Case> cases = {
        {"week 4 in 4 … 4",
         {record("王伟", "4", "第一节", "迟  到")},
         {4, 4},
         {{"王伟", {0, 0, 1}}}},
        {"week 4 before 5 … 6", {record("王伟", "4", "第一节", "迟  到")}, {5, 6}, {}},
        {"week 7 after 5 … 6", {record("王伟", "7", "第一节", "迟  到")}, {5, 6}, {}},
        {"week 05 in 5 … 5",
         {record("王伟", "05", "第七节", "早  退")},
         {5, 5},
         {{"王伟", {0, 0, 0, 1}}}},
        {"absent from the morning study: 督修缺席 only",
         {record("王伟", "2", "早督修", "缺  勤")},
         {1, 3},
         {{"王伟", {0, 1}}}},
        {"official leave from the evening study credits the substitute",
         {record("王伟", "2", "晚督修", "公  假", "李娜")},
         {1, 3},
         {{"王伟", {0, 1}}, {"李娜", {0, 0, 0, 0, 0, 0, 0, 1}}}},
        {"late for the morning study counts nowhere",
         {record("王伟", "2", "早督修", "迟  到")},
         {1, 3},
         {}},
        {"the five categories in teaching periods",
         {record("王伟", "1", "第一节", "迟  到"), record("王伟", "1", "第二节", "早  退"),
          record("王伟", "1", "第三节", "事  假"), record("王伟", "1", "第四节", "公  假", "李娜"),
          record("王伟", "1", "第五节", "缺  勤"), record("王伟", "1", "第六节", "公  代")},
         {1, 1},
         {{"王伟", {0, 0, 1, 1, 1, 1, 1}}, {"李娜", {0, 0, 0, 0, 0, 0, 0, 1}}}},
        {"a teacher not on the roster is skipped, his substitute too",
         {record("赵敏", "1", "第一节", "公  假", "王伟")},
         {1, 1},
         {}},
        {"a meeting is no recognised period",
         {record("王伟", "1", "政治会", "缺  勤")},
         {1, 1},
         {}},
        {"a name kept to 6 bytes is its roster teacher's",
         {record("欧阳明", "1", "第一节", "事  假"),
          record("王伟", "1", "晚督修", "公  假", "欧阳明")},
         {1, 1},
         {{"欧阳明月", {0, 0, 0, 0, 1, 0, 0, 1}}, {"王伟", {0, 1}}}},
        {"week 25 counts in the term, 26 does not",
         {record("王伟", "25", "第一节", "迟  到"), record("王伟", "26", "第一节", "迟  到")},
         attendance::kTermWeeks,
         {{"王伟", {0, 0, 1}}}},
        {"no week text", {record("王伟", "", "第一节", "迟  到")}, attendance::kTermWeeks, {}},
    };
    for (const Case& c : cases) {
        db.execute("DELETE FROM attendance");
        store::CATRecord().append(c.records);
        const attendance::Workload workload = attendance::readWorkload(c.range);
        std::map<std::string, Values> expected = {{"王伟", {}}, {"李娜", {}}, {"欧阳明月", {}}};
        for (const auto& [name, values] : c.changed) {
            expected[name] = values;
        }
        EXPECT_EQ(valuesOf(workload), expected) << c.what;
        EXPECT_FALSE(workload.attendanceEmpty) << c.what;
    }
}

TEST_F(WorkloadTableTest, DutySlotsAndWeeklyLoadComeFromTheirTables) {
    store::CSORecord().append(std::vector<store::SuperviseRow>{
        {"初一⑴", "周一早", "王伟"},
        {"初一⑵", "周一早", "王伟"},
        {"初一⑴", "周六早", "王伟"},
        {"初一⑴", "周日晚", "王伟"},
        {"初一⑴", "周三晚", "李娜"},
        {"初一⑴", "周三晚", "赵敏"},
    });
    store::CCCRecord().append(std::vector<store::ClasscourseRow>{
        {"初一⑴", "数学", "王伟", 4},
        {"初一⑵", "数学", "王伟", 4},
        {"初二⑶", "数学", "王伟", 4},
        {"初一⑴", "语文", "李娜", 6},
    });
    const attendance::Workload workload = attendance::readWorkload(attendance::kTermWeeks);
    EXPECT_TRUE(workload.attendanceEmpty);
    EXPECT_EQ(valuesOf(workload), (std::map<std::string, Values>{
                                      {"王伟", {2, 0, 0, 0, 0, 0, 0, 0, 12}},
                                      {"李娜", {1, 0, 0, 0, 0, 0, 0, 0, 6}},
                                      {"欧阳明月", {}},
                                  }));
}

TEST_F(WorkloadTableTest, OfficialLeaveKeepsFullAttendanceTheOthersBreakIt) {
    for (const char* kind : {"迟  到", "早  退", "事  假", "公  假", "缺  勤", "公  代"}) {
        std::vector<TeacherWorkload> teachers{{"王伟", {}}};
        attendance::countAttendance(teachers, Records{record("王伟", "1", "第一节", kind)}, {1, 1});
        const bool kept = std::string(kind) == "公  假" || std::string(kind) == "公  代";
        EXPECT_EQ(attendance::fullAttendanceMark(teachers.front()), kept ? "√" : "") << kind;
    }
}

TEST_F(WorkloadTableTest, TheMonthsBoxesAreRefusedOutsideTheirRanges) {
    struct Case {
        const char* month;
        const char* start;
        const char* end;
        const char* message; // "" when taken
    };
    const std::vector<Case> cases = {
        {"9", "1", "4", ""},
        {"12", "60", "60", ""},
        {"0", "1", "4", "请输入月份（1 到 12 的整数）。"},
        {"13", "1", "4", "请输入月份（1 到 12 的整数）。"},
        {"", "1", "4", "请输入月份（1 到 12 的整数）。"},
        {"9", "0", "4", "请输入起始周（1 到 60 的整数）。"},
        {"9", "1", "61", "请输入终止周（1 到 60 的整数）。"},
        {"9", "1", "四", "请输入终止周（1 到 60 的整数）。"},
        {"9", "5", "4", "起始周不能大于终止周。"},
    };
    for (const Case& c : cases) {
        const Attendancemonth::Taken taken = Attendancemonth::take(c.month, c.start, c.end);
        EXPECT_EQ(taken.message, c.message) << c.month << ' ' << c.start << ' ' << c.end;
        EXPECT_EQ(taken.input.has_value(), *c.message == '\0');
    }
}

TEST_F(WorkloadTableTest, AMonthWithoutAnyAttendanceRecordClosesAndTermCountsZeros) {
    testsupport::RecordingMessenger messenger;
    Attendancemonth month(messenger);
    EXPECT_EQ(month.count("9", "1", "4"), Attendancemonth::Outcome::Closed);
    EXPECT_EQ(messenger.texts(), std::vector<std::string>{"无出勤记录!"});

    store::CATRecord().append(Records{record("李娜", "3", "第一节", "迟  到")});
    messenger.clear();
    EXPECT_EQ(month.count("9", "1", "4"), Attendancemonth::Outcome::Counted);
    EXPECT_TRUE(messenger.texts().empty());
    EXPECT_EQ(month.printTitle(), "09月份工作量情况");
    EXPECT_EQ(month.workload().teachers.at(1).values[2], 1);
}

// 30 teachers fill a page of 25 and five lines of the second; a blank roster name keeps its
// place and is left out.
TEST_F(WorkloadTableTest, ThirtyTeachersGiveTwoPages) {
    std::vector<std::string> names;
    for (int t = 4; t <= 30; ++t) {
        names.push_back(t == 10 ? "" : "教师" + std::to_string(t));
    }
    testsupport::storeTeachers(names);
    store::CATRecord().append(Records{record("教师26", "25", "第一节", "事  假")});
    const reports::ReportTable table =
        attendance::workloadTable(attendance::readWorkload(attendance::kTermWeeks));
    ASSERT_EQ(table.counts.size(), 30u);

    std::ifstream in(std::filesystem::path(TAVLEN_TEMPLATE_DIR) / "months", std::ios::binary);
    const std::string months{std::istreambuf_iterator<char>(in), {}};
    const reports::BuildResult built =
        reports::buildDocument(reports::ReportKind::Term, table, months);
    ASSERT_TRUE(built) << built.error;
    ASSERT_EQ(built.document->pageCount(), 2);
    EXPECT_EQ(built.document->printed.size(), 2u);
    const auto field = [&](int page, int line, int column, int bytes) {
        return gbk::fromGbk(
            built.document->line(page, line).substr(std::size_t(column), std::size_t(bytes)));
    };
    const auto templateField = [&](int line, int column, int bytes) {
        return gbk::fromGbk(months.substr(std::size_t(line * 78 + column), std::size_t(bytes)));
    };
    EXPECT_EQ(field(0, 5, 6, 4), "王伟");
    EXPECT_EQ(field(1, 5, 6, 6), "教师26");
    EXPECT_EQ(field(1, 5, 16 + 6 * 4, 1), "1");
    EXPECT_EQ(field(1, 13, 6, 6), "教师30");
    EXPECT_EQ(field(1, 15, 6, 6), templateField(15, 6, 6));        // nothing after the 30th
    EXPECT_EQ(field(0, 5 + 2 * 9, 6, 6), templateField(23, 6, 6)); // the blank name
}

} // namespace
