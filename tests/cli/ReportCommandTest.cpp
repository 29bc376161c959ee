// tavlen-cli report: each TSV format filled into its document at the fields' offsets, and
// the rows and options it refuses.
#include "CliTestSupport.h"

#include "core/Gbk.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using clitest::readFile;
using clitest::runCli;
using clitest::writeFile;

std::string g(std::string_view utf8) {
    return gbk::toGbk(utf8).value();
}

// A school folder made by `init`, entered for the test.
class ReportCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli({"init", (m_dir / "school").string()}).code, 0);
        m_cwd.emplace(m_dir / "school");
    }
    void TearDown() override { m_cwd.reset(); }

    clitest::TempDir m_dir;
    std::optional<clitest::ScopedCwd> m_cwd;
};

TEST_F(ReportCli, WeeklyRowsAreNameAndSixCounts) {
    writeFile("week.tsv", "王建国\t1\t0\t2\t0\t0\t13\n\n李小红\t0\t0\t0\t0\t0\t0\r\n");
    const clitest::Result r = runCli({"report", "weekly", "--data", "week.tsv", "-o", "w.txt"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string doc = readFile("w.txt");
    ASSERT_EQ(doc.size(), 3956u);
    EXPECT_EQ(doc.substr(3 * 92 + 2, 6), g("王建国"));
    EXPECT_EQ(doc.substr(3 * 92 + 12 + 6 * 5, 2), "13");
    EXPECT_EQ(doc.substr(5 * 92 + 2, 6), g("李小红"));
    EXPECT_EQ(doc.substr(5 * 92 + 12, 1), "0");

    writeFile("bad.tsv", "王建国\t1\t0\t2\t0\t0\n");
    const clitest::Result bad = runCli({"report", "weekly", "--data", "bad.tsv", "-o", "b.txt"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("第1行"), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists("b.txt"));
}

TEST_F(ReportCli, MonthlyRowsAreNameAndNineValues) {
    std::string tsv;
    for (int i = 0; i < 26; ++i) {
        tsv += "教师" + std::to_string(i) + "\t0\t0\t0\t0\t0\t0\t0\t0\t" + std::to_string(i) + "\n";
    }
    writeFile("month.tsv", tsv);
    ASSERT_EQ(runCli({"report", "term", "--data", "month.tsv", "-o", "m.txt"}).code, 0);
    const std::string doc = readFile("m.txt");
    ASSERT_EQ(doc.size(), 2u * 4290u);
    EXPECT_EQ(doc.substr(4290 + 5 * 78 + 6, 6), g("教师25"));
    EXPECT_EQ(doc.substr(4290 + 5 * 78 + 16 + 6 * 8, 2), "25");
}

TEST_F(ReportCli, GridRowsOfTheTeacherListAndTheDutyRoster) {
    writeFile("t.tsv", "班级\t语文\t数学\n初一⑴\t王老师\t李老师\n");
    ASSERT_EQ(runCli({"report", "teachers", "--data", "t.tsv", "-o", "t.txt"}).code, 0);
    const std::string list = readFile("t.txt");
    ASSERT_EQ(list.size(), 5084u);
    EXPECT_EQ(list.substr(3 * 124 + 2 + 8 * 2, 6), g("李老师"));
    // R = 2, C = 3: bottom border on line 4, right border at columns 24-25.
    EXPECT_EQ(list.substr(4 * 124 + 24, 2), g("┘"));
    EXPECT_EQ(list.substr(5 * 124), std::string(5084 - 5 * 124, '\0'));

    writeFile("wide.tsv", std::string("班级") + std::string(20, '\t') + "\n");
    EXPECT_EQ(runCli({"report", "teachers", "--data", "wide.tsv", "-o", "x.txt"}).code, 1);

    std::string roster = "班级";
    for (const char* t : {"周一早", "周一晚", "周二早", "周二晚", "周三早", "周三晚", "周四早",
                          "周四晚", "周五早", "周日晚"}) {
        roster += std::string("\t") + t;
    }
    roster += "\n初一⑴\t王\t\t\t\t\t\t\t\t赵老师\t钱老师\n";
    writeFile("s.tsv", roster);
    ASSERT_EQ(runCli({"report", "supervise", "--data", "s.tsv", "-o", "s.txt"}).code, 0);
    const std::string duty = readFile("s.txt");
    ASSERT_EQ(duty.size(), 11316u);
    EXPECT_EQ(duty.substr(5 * 92 + 2, 6), g("初一⑴"));
    EXPECT_EQ(duty.substr(5 * 92 + 10, 6), g("钱老师"));
    EXPECT_EQ(duty.substr(5 * 92 + 10 + 8 * 9, 6), g("赵老师"));
    EXPECT_EQ(duty.substr(3 * 92 + 10, 6), g("周日晚"));
}

TEST_F(ReportCli, TimetableRowsAreTheClassThenItsCellsDayByDay) {
    std::string row = "初一⑴";
    for (int j = 1; j <= 35; ++j) {
        row += j == 8 ? "\t物理" : (j == 35 ? "\t" : "\t语文");
    }
    writeFile("g.tsv", row + "\n");
    ASSERT_EQ(runCli({"report", "lessons", "--data", "g.tsv", "-o", "g.txt"}).code, 0);
    const std::string doc = readFile("g.txt");
    ASSERT_EQ(doc.size(), 6840u);
    EXPECT_EQ(doc.substr(5 * 152 + 2, 6), g("初一⑴"));
    EXPECT_EQ(doc.substr(5 * 152 + 6 + 4 * 8, 2), g("物")); // Tuesday, period 1
    EXPECT_EQ(doc.substr(5 * 152 + 6 + 4 * 35, 2), g("自"));
    EXPECT_EQ(doc.substr(7 * 152), std::string(6840 - 7 * 152, '\0'));
    writeFile("long.tsv", row + "\t语文\n");
    EXPECT_EQ(runCli({"report", "lessons", "--data", "long.tsv", "-o", "l.txt"}).code, 1);
}

TEST_F(ReportCli, ReviewDaysRangeFromNoneToTen) {
    writeFile("r.tsv", "初一⑴\n");
    EXPECT_EQ(runCli({"report", "lessonr", "--data", "r.tsv", "-o", "r.txt"}).code, 2);
    EXPECT_EQ(runCli({"report", "lessonr", "--data", "r.tsv", "-o", "r.txt", "--days", "11"}).code,
              2);
    EXPECT_EQ(runCli({"report", "lessonr", "--data", "r.tsv", "-o", "r.txt", "--days", "-1"}).code,
              2);
    EXPECT_FALSE(fs::exists("r.txt"));
    const clitest::Result r =
        runCli({"report", "lessonr", "--data", "r.tsv", "-o", "r.txt", "--days", "0"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string doc = readFile("r.txt");
    ASSERT_EQ(doc.size(), 6840u);
    EXPECT_EQ(doc.substr(5 * 152 + 2, 6), g("初一⑴"));
}

} // namespace
