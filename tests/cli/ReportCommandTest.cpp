// tavlen-cli report: each TSV format filled into its document at the fields' offsets, the
// rows and options it refuses, and what it never does: write a value too wide for its field
// or over the database, finish a cut-short PDF without an error, or hang on a template.
#include "CliChild.h"
#include "CliTestSupport.h"

#include "core/Gbk.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST_F(ReportCli, RefusedDocumentsWriteNothing) {
    writeFile("week.tsv", "王建国\t999999\t599\t0\t0\t0\t0\n");
    writeFile("fine.tsv", "王建国\t1\t0\t0\t0\t0\t0\n");
    writeFile("emoji.tsv", "初一⑴\t😀\n");
    const std::string database = readFile("tavlen/tavlen.mdb");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"weekly", "--data", "week.tsv", "-o", "x.txt"},
         "第1项（王建国）的“迟到”为999999，超出了栏宽（最多2位），报表没有写出。"},
        {{"lessons", "--data", "emoji.tsv", "-o", "x.txt"},
         "初一⑴星期一第1节：“😀”中的“😀”不能用GBK编码，报表没有写出。"},
        {{"weekly", "--data", "fine.tsv", "-o", "tavlen/tavlen.mdb"},
         "无法写入文件“tavlen/tavlen.mdb”：这是数据库文件，不能用报表覆盖。"},
        {{"weekly", "--data", "fine.tsv", "--pdf", "tavlen/tavlen.mdb"},
         "无法写出 PDF 文件“tavlen/tavlen.mdb”：这是数据库文件，不能用报表覆盖。"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const clitest::Result r = runCli(args);
        EXPECT_EQ(r.code, 1) << c.message;
        EXPECT_EQ(r.err, "tavlen-cli report: " + c.message + "\n");
        EXPECT_FALSE(fs::exists("x.txt")) << c.message;
    }
    EXPECT_EQ(readFile("tavlen/tavlen.mdb"), database);
}

TEST_F(ReportCli, APdfCutShortIsAnErrorAndLeavesTheOldFile) {
    std::string tsv;
    for (int i = 0; i < 30; ++i) {
        tsv += "教师" + std::to_string(i) + "\t1\t2\t3\t4\t5\t6\t7\t8\t9\n";
    }
    writeFile("month.tsv", tsv);
    const std::vector<std::string> args = {"report",    "monthly", "--data",
                                           "month.tsv", "--pdf",   "m.pdf"};
    // The whole PDF is larger than the 16 KB the file-size limit allows below.
    ASSERT_EQ(runCli(args).code, 0);
    ASSERT_GT(fs::file_size("m.pdf"), 16384u);
    writeFile("m.pdf", "the PDF printed before");
    const auto entries = std::distance(fs::directory_iterator("."), fs::directory_iterator());
    const clitest::ChildResult r = clitest::runCliInChild(args, 16384);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tavlen-cli report: 无法写出 PDF 文件“m.pdf”：文件超出了允许的大小。\n");
    EXPECT_EQ(readFile("m.pdf"), "the PDF printed before");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), entries);
}

TEST_F(ReportCli, ATemplateThatIsNoRegularFileIsRefusedWithoutWaiting) {
    // A FIFO nobody writes to would block an open for reading forever.
    writeFile("week.tsv", "王建国\t1\t0\t2\t0\t0\t13\n");
    const fs::path weeks = fs::current_path() / "tavlen" / "weeks";
    for (bool link : {false, true}) {
        fs::remove(weeks);
        ASSERT_EQ(::mkfifo((link ? "fifo" : weeks.c_str()), 0644), 0);
        if (link) {
            fs::create_symlink(fs::current_path() / "fifo", weeks);
        }
        const clitest::ChildResult r =
            clitest::runCliInChild({"report", "weekly", "--data", "week.tsv", "-o", "w.txt"});
        ASSERT_FALSE(r.timedOut) << "link " << link;
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err,
                  "tavlen-cli report: 报表模板“" + weeks.string() + "”不是普通文件，没有读取。\n");
        EXPECT_FALSE(fs::exists("w.txt"));
    }
}

} // namespace

namespace {

// A title wider than the page is cut to the same prefix however long it is, and said so; a
// real title is printed whole and unsaid.
TEST_F(ReportCli, AnOverlongTitleIsCutNotShrunk) {
    writeFile("week.tsv", "王建国\t1\t0\t0\t0\t0\t0\n");
    std::string shown;
    const struct {
        std::size_t characters;
        bool cut;
    } cases[] = {{25, false}, {100, true}, {1000, true}};
    for (const auto& c : cases) {
        std::string title;
        for (std::size_t i = 0; i < c.characters; ++i) {
            title += i % 10 == 9 ? "A" : "长";
        }
        const clitest::Result r =
            runCli({"report", "weekly", "--data", "week.tsv", "--pdf", "t.pdf", "--title", title});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_GT(fs::file_size("t.pdf"), 1000u);
        const std::size_t said = r.out.find("标题比页宽长，只打印前面的“");
        EXPECT_EQ(said != std::string::npos, c.cut) << c.characters << r.out;
        if (c.cut) {
            const std::string prefix = r.out.substr(said, r.out.find("”", said) - said);
            EXPECT_EQ(title.rfind(prefix.substr(prefix.find("“") + 3), 0), 0u) << prefix;
            EXPECT_TRUE(shown.empty() || shown == prefix) << prefix;
            shown = prefix;
        }
    }
}

} // namespace
