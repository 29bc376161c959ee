// The weekly count: who gets an entry and in what order, which records count for a week and an
// activity (a week text read as a number, the activity's periods, the five categories), the
// substitute credited for an official leave, and the week box refused outside 0 … 50.
#include "RecordingMessenger.h"
#include "StatisticsRecords.h"
#include "TempDatabase.h"

#include "attendance/Attendancecount.h"
#include "store/CATRecord.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace attendance {
void PrintTo(const WeekCount& entry, std::ostream* os) {
    *os << entry.teacher;
    for (const int count : entry.counts) {
        *os << ' ' << count;
    }
}
} // namespace attendance

namespace {

using attendance::Attendancecount;
using attendance::WeekCount;
using statisticstest::record;
using Records = std::vector<store::AttendanceRow>;
using Entries = std::vector<WeekCount>;

TEST(CountWeek, CountsTheWeeksRecordsOfTheActivityPerTeacher) {
    struct Case {
        const char* what;
        Records records;
        int week;
        const char* activity;
        Entries expected;
    };
    const std::vector<Case> cases = {
        {"a substitute without a record of his own",
         {record("王伟", "3", "第二节", "公  假", "李娜")},
         3,
         "常规教学",
         {{"王伟", {0, 0, 0, 1, 0, 0}}, {"李娜", {0, 0, 0, 0, 0, 1}}}},
        {"公  代 and the open lessons add no count",
         {record("王伟", "3", "第一节", "公  代", "李娜"), record("王伟", "3", "第二节", "校公开"),
          record("王伟", "3", "第三节", "组公开")},
         3,
         "常规教学",
         {{"王伟", {}}}},
        {"the week text read as a number",
         {record("王伟", "05", "第一节", "迟  到"), record("李娜", " 5 ", "第七节", "缺  勤"),
          record("张强", "5周", "第一节", "迟  到"), record("赵敏", "6", "第一节", "迟  到")},
         5,
         "常规教学",
         {{"王伟", {1, 0, 0, 0, 0, 0}}, {"李娜", {0, 0, 0, 0, 1, 0}}}},
        {"a teaching period is no supervised study",
         {record("王伟", "2", "第三节", "迟  到"), record("李娜", "2", "晚督修", "早  退"),
          record("李娜", "2", "早督修", "事  假")},
         2,
         "早晚督修",
         {{"李娜", {0, 1, 1, 0, 0, 0}}}},
        {"first-appearance order, the substitute after the teacher",
         {record("张强", "1", "第一节", "迟  到"), record("王伟", "1", "第二节", "早  退"),
          record("张强", "1", "第三节", "事  假"), record("李娜", "1", "第四节", "公  假", "王伟"),
          record("陈静", "1", "第五节", "公  假", "赵敏")},
         1,
         "常规教学",
         {{"张强", {1, 0, 1, 0, 0, 0}},
          {"王伟", {0, 1, 0, 0, 0, 1}},
          {"李娜", {0, 0, 0, 1, 0, 0}},
          {"陈静", {0, 0, 0, 1, 0, 0}},
          {"赵敏", {0, 0, 0, 0, 0, 1}}}},
        {"the single-period activities",
         {record("王伟", "4", "政治会", "缺  勤"), record("李娜", "4", "升  旗", "迟  到"),
          record("张强", "4", "教研会", "缺  勤")},
         4,
         "升旗仪式",
         {{"李娜", {1, 0, 0, 0, 0, 0}}}},
        {"an activity that is none of the five",
         {record("王伟", "4", "第一节", "迟  到")},
         4,
         "课外活动",
         {}},
        {"a record without a teacher, a substitute of spaces",
         {record("", "4", "第一节", "迟  到"), record("王伟", "4", "第二节", "公  假", "    ")},
         4,
         "常规教学",
         {{"王伟", {0, 0, 0, 1, 0, 0}}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(attendance::countWeek(c.records, c.week, c.activity), c.expected) << c.what;
    }
}

class AttendancecountTest : public ::testing::Test {
protected:
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Attendancecount logic{messenger};
};

TEST_F(AttendancecountTest, TheWeekIsAWholeNumberFrom0To50) {
    store::CATRecord().append(
        Records{record("王伟", "0", "第一节", "迟  到"), record("李娜", "50", "第一节", "早  退")});
    struct Case {
        const char* week;
        bool counted;
        Entries expected; // the entries shown afterwards
    };
    const std::vector<Case> cases = {
        {"0", true, {{"王伟", {1, 0, 0, 0, 0, 0}}}},
        {"51", false, {{"王伟", {1, 0, 0, 0, 0, 0}}}},
        {"", false, {{"王伟", {1, 0, 0, 0, 0, 0}}}},
        {"-1", false, {{"王伟", {1, 0, 0, 0, 0, 0}}}},
        {"5.0", false, {{"王伟", {1, 0, 0, 0, 0, 0}}}},
        {"50", true, {{"李娜", {0, 1, 0, 0, 0, 0}}}},
        {"abc", false, {{"李娜", {0, 1, 0, 0, 0, 0}}}},
    };
    for (const Case& c : cases) {
        messenger.clear();
        EXPECT_EQ(logic.count(c.week, "常规教学"), c.counted) << c.week;
        EXPECT_EQ(messenger.texts(),
                  c.counted ? std::vector<std::string>{}
                            : std::vector<std::string>{"请输入周别（0 到 50 的整数）。"})
            << c.week;
        EXPECT_EQ(logic.entries(), c.expected) << c.week;
    }
    EXPECT_EQ(logic.printTitle(), "第50周常规教学出勤情况");
}

} // namespace
