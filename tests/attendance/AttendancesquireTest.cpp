// Attendancesquire on a temporary database: every record listed (more than 600), the date as
// YYYY-MM-DD, records without a teacher passed over without ending the list, and each sort
// button's order, stable with ties in table order.
#include "TempDatabase.h"

#include "attendance/Attendancesquire.h"
#include "store/CATRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using attendance::Attendancesquire;
using Key = Attendancesquire::SortKey;
using Records = std::vector<store::AttendanceRow>;

store::AttendanceRow record(const std::string& teacher, const std::string& week,
                            const std::string& className, const std::string& period,
                            const std::string& kind) {
    return {teacher, week, className, {}, "星期一", period, kind, "", teacher + week};
}

// The remarks (teacher + week) of the lines, which name each record.
std::vector<std::string> order(const Attendancesquire& list) {
    std::vector<std::string> out;
    for (const auto& line : list.lines()) {
        out.push_back(line[8]);
    }
    return out;
}

TEST(AttendancesquireTest, EachButtonSortsByItsColumnKeepingTableOrderOnTies) {
    testsupport::TempDatabase db;
    store::CATRecord().append(Records{
        record("王伟", "10", "初二⑴", "第三节", "事  假"),
        record("李娜", "2", "初一⑽", "升  旗", "迟  到"),
        record("", "1", "初一⑴", "第一节", "迟  到"), // no teacher: not listed
        record("张强", "9", "初一⑵", "第二节", "组公开"),
        record("王伟", "2", "高一⑴", "第二节", "公  假"),
        record("安然", "x", "", "早督修", "病假"),
    });
    Attendancesquire list;
    struct Case {
        Key key;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {Key::Week, {"李娜2", "王伟2", "张强9", "王伟10", "安然x"}},
        {Key::Class, {"张强9", "李娜2", "王伟10", "王伟2", "安然x"}},
        {Key::Period, {"张强9", "王伟2", "王伟10", "安然x", "李娜2"}},
        {Key::Category, {"李娜2", "王伟10", "王伟2", "张强9", "安然x"}},
        // GBK codes: 安 B0B2, 李 C0EE, 王 CDF5, 张 D5C5 (pinyin order).
        {Key::Teacher, {"安然x", "李娜2", "王伟10", "王伟2", "张强9"}},
        {Key::Week, {"李娜2", "王伟2", "张强9", "王伟10", "安然x"}},
    };
    for (const Case& c : cases) {
        list.sort(c.key);
        EXPECT_EQ(order(list), c.expected) << static_cast<int>(c.key);
    }
}

TEST(AttendancesquireTest, ListsEveryRecordWithItsDate) {
    testsupport::TempDatabase db;
    Records records(650, {"王伟",
                          "3",
                          "初一⑴",
                          {2024, 9, 16, 8, 0, 0},
                          "星期一",
                          "第一节",
                          "公  假",
                          "李娜",
                          "开会"});
    records[0].teacher = "";
    store::CATRecord().append(records);
    Attendancesquire list;
    list.sort(Key::Teacher);
    ASSERT_EQ(list.lines().size(), 649U);
    EXPECT_EQ(list.lines()[0], (Attendancesquire::Line{"王伟", "3", "初一⑴", "2024-09-16", "星期一",
                                                       "第一节", "公  假", "李娜", "开会"}));
}

} // namespace
