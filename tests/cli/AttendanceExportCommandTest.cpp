// tavlen-cli export weeks, months and term on the demo school's three weeks of attendance: the
// weekly and monthly documents byte for byte (golden GBK files), the term document and its PDF
// print, "无出勤记录!" for a month without any record, and the arguments refused.
#include "CliTestSupport.h"

#include "attendance/Attendancecount.h"
#include "cli/DemoSchool.h"
#include "core/Gbk.h"
#include "store/CATRecord.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using clitest::readFile;
using clitest::runCli;

const fs::path kWeeksGolden = fs::path(TAVLEN_CLI_TEST_DATA) / "export-weeks-2.txt";
const fs::path kMonthsGolden = fs::path(TAVLEN_CLI_TEST_DATA) / "export-months-9.txt";

// Whether GBK bytes decode without a replacement character, as `iconv -f GBK` reads them.
bool decodes(const std::string& bytes) {
    return gbk::fromGbk(bytes).find("\xEF\xBF\xBD") == std::string::npos;
}

using AttendanceExportCli = clitest::DemoSchoolDir;

TEST_F(AttendanceExportCli, WritesTheWeeklyCountAsItsDialogExportsIt) {
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(runCli({"export", "weeks", "--week", "2", "--activity", "常规教学", "-o",
                          kWeeksGolden.string()})
                      .code,
                  0);
    }
    const std::string golden = readFile(kWeeksGolden);
    ASSERT_EQ(golden.size(), 3956u) << kWeeksGolden;
    EXPECT_TRUE(decodes(golden));
    for (const std::string week : {"2", "02"}) {
        const clitest::Result r =
            runCli({"export", "weeks", "--week", week, "--activity", "常规教学", "-o", "w.txt"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "已写出 w.txt\n");
        EXPECT_EQ(readFile("w.txt"), golden) << week;
    }
    // The demo's week 2 as the dialog counts it, each teacher on the line and half of its entry.
    const std::vector<attendance::WeekCount> counts = attendance::readWeekCounts(2, "常规教学");
    ASSERT_FALSE(counts.empty());
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const std::size_t at = (3 + 2 * (k % 20)) * 92 + 2 + 44 * (k / 20);
        EXPECT_EQ(gbk::fromGbk(golden.substr(at, gbk::width(counts[k].teacher))),
                  counts[k].teacher);
    }
    // The activity defaults to 常规教学; the PDF prints the first page.
    const clitest::Result printed =
        runCli({"export", "weeks", "--week", "2", "-o", "d.txt", "--pdf", "w.pdf"});
    ASSERT_EQ(printed.code, 0) << printed.err;
    EXPECT_EQ(printed.out, "已写出 d.txt\n打印完毕!\n");
    EXPECT_EQ(readFile("d.txt"), golden);
    EXPECT_EQ(readFile("w.pdf").substr(0, 5), "%PDF-");
}

TEST_F(AttendanceExportCli, WritesTheMonthAndTheTermAsTheirDialogsExportThem) {
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(runCli({"export", "months", "--month", "9", "--from", "1", "--to", "3", "-o",
                          kMonthsGolden.string()})
                      .code,
                  0);
    }
    const std::string golden = readFile(kMonthsGolden);
    const std::size_t teachers = cli::makeDemoSchool().teachername.size();
    ASSERT_EQ(golden.size(), 4290u * (teachers / 25 + 1)) << kMonthsGolden;
    EXPECT_TRUE(decodes(golden));
    const clitest::Result r =
        runCli({"export", "months", "--month", "9", "--from", "1", "--to", "3", "-o", "m.txt"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFile("m.txt"), golden);
    // The roster's first teacher on line 5 of the first page, cut to the 6 bytes of its field.
    const std::string first = gbk::cut(cli::makeDemoSchool().teachername.front().name, 6);
    EXPECT_EQ(gbk::fromGbk(golden.substr(5 * 78 + 6, gbk::width(first))), first);

    // The term holds the same three weeks: the same document.
    const clitest::Result term = runCli({"export", "term", "-o", "t.txt", "--pdf", "t.pdf"});
    ASSERT_EQ(term.code, 0) << term.err;
    EXPECT_EQ(readFile("t.txt"), golden);
    EXPECT_EQ(readFile("t.pdf").substr(0, 5), "%PDF-");

    store::CATRecord().replaceAll(std::vector<store::AttendanceRow>{});
    const clitest::Result none =
        runCli({"export", "months", "--month", "9", "--from", "1", "--to", "3", "-o", "n.txt"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "tavlen-cli export: 无出勤记录!\n");
    EXPECT_FALSE(fs::exists("n.txt"));
}

TEST_F(AttendanceExportCli, WrongArgumentsAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* message; // the first line on stderr, after "tavlen-cli export: "
    };
    const std::vector<Case> cases = {
        {{"weeks", "-o", "x.txt"}, "--week：请输入周别（0 到 50 的整数）。"},
        {{"weeks", "--week", "51", "-o", "x.txt"}, "--week：请输入周别（0 到 50 的整数）。"},
        {{"weeks", "--week", "2", "--activity", "课外", "-o", "x.txt"}, "未知的出勤类型“课外”"},
        {{"weeks", "--week"}, "选项 --week 缺少参数"},
        {{"weeks", "2", "-o", "x.txt"}, "多余的参数 2"},
        {{"weeks", "--week", "2"}, "缺少 -o OUT"},
        {{"months", "--month", "13", "--from", "1", "--to", "3", "-o", "x.txt"},
         "--month：请输入月份（1 到 12 的整数）。"},
        {{"months", "--month", "9", "--to", "3", "-o", "x.txt"},
         "--from：请输入起始周（1 到 60 的整数）。"},
        {{"months", "--month", "9", "--from", "4", "--to", "3", "-o", "x.txt"},
         "--from：起始周不能大于终止周。"},
        {{"months", "--week", "3", "-o", "x.txt"}, "未知的选项 --week"},
        {{"term", "1", "-o", "x.txt"}, "多余的参数 1"},
        {{"lessons", "初一", "--month", "9", "-o", "x.txt"}, "未知的选项 --month"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{"export"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const clitest::Result r = runCli(argv);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
                  std::string("tavlen-cli export: ") + c.message);
        EXPECT_NE(r.err.find("\n  tavlen-cli export weeks --week N [--activity 常规教学] -o OUT "
                             "[--pdf OUT.pdf]\n"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("\n  tavlen-cli export term -o OUT [--pdf OUT.pdf]\n"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_FALSE(fs::exists("x.txt"));
}

} // namespace
