// The command line as a whole: help and version, the README's command table against the help,
// input files that are no regular files, targets that would overwrite an input, the
// connection file, the ranges of number options, and the review save's rows.
#include "CliChild.h"
#include "CliTestSupport.h"

#include "core/Gbk.h"
#include "store/CRLRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using clitest::runCli;

const std::vector<std::string> kCommands = {"init",   "show",   "report", "arrange",
                                            "review", "export", "import", "substitutes",
                                            "cover",  "publish"};
const std::vector<std::string> kKinds = {"lessons",  "lessonr",  "teachers", "weeks",   "months",
                                         "supervis", "weekwork", "term",     "workbook"};

std::string help(std::vector<std::string> args) {
    args.push_back("--help");
    const clitest::Result r = runCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

TEST(CommandLine, HelpAndVersionListEveryCommandAndKind) {
    const std::string tool = help({});
    for (const std::string& command : kCommands) {
        EXPECT_NE(tool.find("  " + command + " "), std::string::npos) << command;
        EXPECT_NE(help({command}).find("--connect-file FILE"), std::string::npos) << command;
    }
    const std::string exportHelp = help({"export"});
    for (const std::string& kind : kKinds) {
        EXPECT_NE(exportHelp.find("  " + kind + " "), std::string::npos) << kind;
        EXPECT_NE(help({"export", kind}).find("-o OUT"), std::string::npos) << kind;
    }
    // --pdf is offered only where a print is made.
    EXPECT_EQ(help({"export", "lessonr"}).find("--pdf"), std::string::npos);
    EXPECT_NE(help({"export", "lessons"}).find("--pdf OUT.pdf"), std::string::npos);
    EXPECT_NE(help({"arrange"}).find("86400"), std::string::npos);
    const clitest::Result version = runCli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("tavlen-cli ", 0), 0u) << version.out;
}

// Each row of the README's command table names a command (or export kind) whose help holds
// every option of the row, and every command of the help has a row.
TEST(CommandLine, ReadmeTableMatchesTheHelp) {
    std::ifstream readme(fs::path(TAVLEN_CLI_TEST_DATA) / ".." / ".." / ".." / "README.md");
    ASSERT_TRUE(readme) << "README.md";
    const std::regex row(R"(^\| `tavlen-cli (\w+)( (\w+))?([^`]*)`)");
    const std::regex option(R"((--[a-z-]+|-o)\b)");
    std::set<std::string> listed;
    std::string line;
    while (std::getline(readme, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, row)) {
            continue;
        }
        const std::string command = m[1];
        listed.insert(command);
        std::vector<std::string> helpOf{command};
        if (command == "export") {
            helpOf.push_back(m[3]);
        }
        const std::string text = help(helpOf);
        const std::string rest = m[4];
        for (auto it = std::sregex_iterator(rest.begin(), rest.end(), option);
             it != std::sregex_iterator(); ++it) {
            EXPECT_NE(text.find("  " + it->str()), std::string::npos) << line << ": " << it->str();
        }
    }
    EXPECT_EQ(listed, std::set<std::string>(kCommands.begin(), kCommands.end()));
}

class InputFiles : public ::testing::Test {
protected:
    void SetUp() override { m_cwd.emplace(m_dir.path()); }
    void TearDown() override { m_cwd.reset(); }
    clitest::TempDir m_dir;
    std::optional<clitest::ScopedCwd> m_cwd;
};

TEST_F(InputFiles, OnlyRegularDataFilesAreRead) {
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    fs::create_symlink("fifo", "link");
    fs::create_directory("folder");
    for (const std::string data : {"fifo", "link", "folder", "/dev/zero"}) {
        const auto started = std::chrono::steady_clock::now();
        const clitest::ChildResult r =
            clitest::runCliInChild({"report", "weekly", "--data", data, "-o", "out.txt"},
                                   std::nullopt, std::chrono::seconds(5));
        EXPECT_FALSE(r.timedOut) << data;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << data;
        EXPECT_EQ(r.code, 1) << data;
        EXPECT_NE(r.err.find("“" + data + "”不是普通文件"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists("out.txt")) << data;
    }
}

TEST_F(InputFiles, ADataFileOverTheLimitIsRefused) {
    std::ofstream("big.tsv").close();
    fs::resize_file("big.tsv", (std::uintmax_t{64} << 20) + 1);
    const clitest::Result r = runCli({"report", "weekly", "--data", "big.tsv", "-o", "o.txt"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("超过 64 MiB"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("o.txt"));
}

TEST_F(InputFiles, TargetsNeverOverwriteInputs) {
    fs::create_directory("tavlen");
    clitest::writeFile("tavlen/lessons", "template");
    clitest::writeFile("in.tsv", "张三\t1\t2\t3\t4\t5\t6\n");
    fs::create_hard_link("in.tsv", "alias.tsv");
    const struct {
        std::vector<std::string> targets;
        const char* message;
    } cases[] = {
        {{"-o", "same.out", "--pdf", "same.out"}, "-o 与 --pdf 是同一个文件"},
        {{"-o", "tavlen/lessons"}, "在 tavlen 文件夹中"},
        {{"-o", "x.txt", "--pdf", "./tavlen/new.pdf"}, "在 tavlen 文件夹中"},
        {{"-o", "in.tsv"}, "是本命令读取的数据文件"},
        {{"-o", "x.txt", "--pdf", "alias.tsv"}, "是本命令读取的数据文件"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"report", "weekly", "--data", "in.tsv"};
        args.insert(args.end(), c.targets.begin(), c.targets.end());
        const clitest::Result r = runCli(args);
        EXPECT_EQ(r.code, 1) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists("same.out"));
        EXPECT_FALSE(fs::exists("x.txt")) << c.message;
    }
    EXPECT_EQ(clitest::readFile("tavlen/lessons"), "template");
    EXPECT_EQ(clitest::readFile("in.tsv"), "张三\t1\t2\t3\t4\t5\t6\n");
}

TEST_F(InputFiles, ConnectionFileMustBeTheOwnersAlone) {
    clitest::writeFile("open.txt", "DSN=NoSuchSource\n");
    ::chmod("open.txt", 0644);
    clitest::writeFile("private.txt", "DSN=NoSuchSource\n");
    ::chmod("private.txt", 0600);
    const clitest::Result open = runCli({"show", "--connect-file", "open.txt"});
    EXPECT_EQ(open.code, 1);
    EXPECT_NE(open.err.find("别人也能读（权限 0644）"), std::string::npos) << open.err;
    const clitest::Result missing = runCli({"show", "--connect-file", "none.txt"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("找不到连接文件“none.txt”"), std::string::npos) << missing.err;
    // The private file's string is used: the data source it names is what fails.
    const clitest::Result used = runCli({"show", "--connect-file", "private.txt"});
    EXPECT_EQ(used.code, 1);
    EXPECT_NE(used.err.find("Data source name not found"), std::string::npos) << used.err;
    EXPECT_EQ(used.err.find("别人也能读"), std::string::npos) << used.err;
    const clitest::Result both = runCli({"show", "--dsn", "A", "--connect-file", "private.txt"});
    EXPECT_EQ(both.code, 2);
    EXPECT_EQ(both.err, "tavlen-cli: --dsn 与 --connect-file 只能给一个\n");
}

TEST(CommandLine, NumberOptionsNameTheirRange) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"arrange", "1", "--optimise", "--time-limit", "86401"},
         "无效的时间限制 86401（应为大于 0、至多 86400 的秒数）"},
        {{"arrange", "1", "--seed", "4294967296"}, "（应为 0 到 4294967295 的整数）"},
        {{"review", "1", "--seed", "x"}, "（应为 0 到 999999999 的整数）"},
        {{"substitutes", "张三", "--day", "8", "--period", "1"}, "（应为星期一…星期五或 1 到 5）"},
        {{"substitutes", "张三", "--day", "1", "--period", "8"}, "（应为第一节…第七节或 1 到 7）"},
        {{"report", "lessonr", "--data", "d", "-o", "o", "--days", "11"}, "--days 应为0到10"},
        {{"arrange", "1", "--seed"}, "选项 --seed 缺少参数"},
    };
    for (const auto& c : cases) {
        const clitest::Result r = runCli(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: tavlen-cli " + c.args[0]), std::string::npos) << r.err;
    }
}

using ReviewSave = clitest::DemoSchoolDir;

TEST_F(ReviewSave, ReplacesEveryRowOfTheGrade) {
    store::ReviewlessonRow stale;
    stale.className = "初三⒇";
    stale.number = 32001;
    stale.days[0] = "旧课";
    store::ReviewlessonRow other = stale;
    other.className = "高一⒇";
    other.number = 42001;
    const std::vector<store::ReviewlessonRow> rows{stale, other};
    store::CRLRecord().append(rows);
    const clitest::Result r = runCli({"review", "3", "--save"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::set<std::string> classes;
    bool otherKept = false;
    for (const store::ReviewlessonRow& row : store::CRLRecord().readAll()) {
        if (row.number / 10000 == 3) {
            classes.insert(row.className);
        }
        otherKept = otherKept || row == other;
    }
    EXPECT_EQ(classes.count("初三⒇"), 0u);
    EXPECT_EQ(classes.size(), 10u);
    EXPECT_TRUE(otherKept);
}

TEST_F(ReviewSave, AGradeWithoutAPlanSaysSoAndWritesNothing) {
    const clitest::Result r = runCli({"review", "初一", "--save"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "初一没有复习计划（年段课程设置中天数都为 0）。\n");
    EXPECT_EQ(r.out.find("已存入"), std::string::npos);
    EXPECT_TRUE(store::CRLRecord().readAll().empty());
}

TEST_F(ReviewSave, ExportRefusesAPdfBeforeWritingAnything) {
    const clitest::Result r = runCli({"export", "lessonr", "3", "-o", "r3.txt", "--pdf", "r3.pdf"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("不能打印"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("r3.txt"));
    EXPECT_FALSE(fs::exists("r3.pdf"));
}

} // namespace

namespace {

// The program itself under a locale: its exit code and what it wrote to stdout and stderr.
std::pair<int, std::string> runUnderLocale(const std::string& environment,
                                           const std::vector<std::string>& args) {
    std::string command = environment + " " + TAVLEN_CLI;
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    command += " 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST_F(InputFiles, ArgumentsAndMessagesFollowTheLocale) {
    const fs::path locales = m_dir.path() / "locales";
    fs::create_directory(locales);
    const std::string made =
        "localedef -i zh_CN -f GBK " + (locales / "zh_CN.GBK").string() + " >/dev/null 2>&1";
    if (std::system(made.c_str()) != 0) {
        GTEST_SKIP() << "localedef cannot make zh_CN.GBK here";
    }
    const std::string gbkLocale = "LC_ALL=zh_CN.GBK LOCPATH=" + locales.string();
    const auto gbk = [](const std::string& utf8) { return *gbk::toGbk(utf8); };
    const struct {
        std::string environment;
        std::string grade;
        int code;
        std::string output;
    } cases[] = {
        // A GBK-typed grade is read; the message comes back in GBK.
        {gbkLocale, gbk("初一"), 1, gbk("找不到数据库 ./tavlen/tavlen.mdb\n")},
        {gbkLocale, gbk("初四"), 2, gbk("tavlen-cli arrange: 未知年段 初四\n")},
        // UTF-8 and the C locale stay UTF-8 both ways.
        {"LC_ALL=C.UTF-8", "初一", 1, "找不到数据库 ./tavlen/tavlen.mdb\n"},
        {"LC_ALL=C", "初四", 2, "tavlen-cli arrange: 未知年段 初四\n"},
    };
    for (const auto& c : cases) {
        const auto [code, output] = runUnderLocale(c.environment, {"arrange", c.grade});
        EXPECT_EQ(code, c.code) << c.environment << output;
        EXPECT_EQ(output.rfind(c.output, 0), 0u) << c.environment << ": " << output;
    }
}

} // namespace

namespace {

using PassedOverRows = clitest::DemoSchoolDir;

// Timetable rows a command passes over are named by every command that reads them.
TEST_F(PassedOverRows, AreNamedByEveryCommand) {
    const std::string sql =
        "sqlite3 tavlen/tavlen.mdb \"INSERT INTO gradelesson (class, number) VALUES "
        "('初一⑴', 'x'), ('初七⑴', 70101); INSERT INTO reviewlesson (class, number) VALUES "
        "('初三(25)', 32501)\"";
    ASSERT_EQ(std::system(sql.c_str()), 0);
    const struct {
        std::vector<std::string> args;
        bool onStderr;
        const char* named;
    } cases[] = {
        {{"export", "lessons", "1", "-o", "l.txt"}, true, "忽略 2 条无效记录：gradelesson 第 "},
        {{"export", "lessonr", "3", "-o", "r.txt"}, true, "reviewlesson 中编号 32501 的行"},
        {{"arrange", "1"}, false, "gradelesson 中编号 70101 的行（初七⑴）"},
        {{"arrange", "1", "--optimise", "--time-limit", "1"}, false, "gradelesson 中编号 70101"},
    };
    for (const auto& c : cases) {
        const clitest::Result r = runCli(c.args);
        EXPECT_TRUE(r.code == 0 || r.code == 3) << c.named << r.err;
        EXPECT_NE((c.onStderr ? r.err : r.out).find(c.named), std::string::npos)
            << c.named << "\n"
            << r.out.substr(0, 400) << r.err;
    }
}

} // namespace
