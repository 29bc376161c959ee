// tavlen-cli publish on the demo school once arranged: every class as one PDF page, the
// teachers' workbook and calendars, a target replaced only with --force, an unarranged
// grade and the arguments refused.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using clitest::runCli;

// The output of a shell command, or nullopt when it could not run.
std::optional<std::string> commandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        out.append(buffer, n);
    return out;
}

class PublishCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new clitest::TempDir;
        const fs::path school = *s_dir / "school";
        ASSERT_EQ(runCli({"init", school.string(), "--demo"}).code, 0);
        clitest::ScopedCwd cwd(school);
        ASSERT_EQ(runCli({"arrange", "all", "--optimise", "--save"}).code, 0);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { m_cwd.emplace(*s_dir / "school"); }
    void TearDown() override { m_cwd.reset(); }

    static clitest::TempDir* s_dir;
    std::optional<clitest::ScopedCwd> m_cwd;
};

clitest::TempDir* PublishCli::s_dir = nullptr;

TEST_F(PublishCli, EveryClassIsOnePdfPageAndATargetIsReplacedOnlyWithForce) {
    const clitest::Result written = runCli({"publish", "classes", "all", "--pdf", "c.pdf"});
    ASSERT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(written.out, "已写出 61 页：c.pdf\n");
    if (const auto info = commandOutput("pdfinfo c.pdf 2>&1"); info && !info->empty()) {
        EXPECT_NE(info->find("Pages:           61"), std::string::npos) << *info;
    }

    const std::string before = clitest::readFile("c.pdf");
    const clitest::Result again = runCli({"publish", "classes", "初一", "--pdf", "c.pdf"});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("已存在"), std::string::npos) << again.err;
    EXPECT_NE(again.err.find("（用 --force 替换）"), std::string::npos) << again.err;
    EXPECT_EQ(clitest::readFile("c.pdf"), before);
    const clitest::Result forced = runCli({"publish", "classes", "1", "--pdf", "c.pdf", "--force"});
    EXPECT_EQ(forced.code, 0) << forced.err;
    EXPECT_EQ(forced.out.rfind("已写出 ", 0), 0u);
    EXPECT_NE(clitest::readFile("c.pdf"), before);

    fs::create_directory("folder");
    const clitest::Result folder = runCli({"publish", "overview", "--pdf", "folder", "--force"});
    EXPECT_EQ(folder.code, 1);
    EXPECT_NE(folder.err.find("文件夹"), std::string::npos) << folder.err;
}

TEST_F(PublishCli, TeachersGoIntoAWorkbookAndCalendars) {
    const clitest::Result book = runCli({"publish", "teachers", "all", "--xlsx", "t.xlsx"});
    ASSERT_EQ(book.code, 0) << book.err;
    EXPECT_TRUE(fs::is_regular_file("t.xlsx"));
    const clitest::Result calendars =
        runCli({"publish", "teachers", "初二", "--ics", "cal", "--weeks", "2"});
    ASSERT_EQ(calendars.code, 0) << calendars.err;
    int files = 0;
    for (const auto& entry : fs::directory_iterator("cal"))
        files += entry.path().extension() == ".ics";
    EXPECT_GT(files, 10);
    EXPECT_EQ(calendars.out, "已写出 " + std::to_string(files) + " 页：cal\n");
    const clitest::Result site = runCli({"publish", "classes", "初一", "--html", "site"});
    ASSERT_EQ(site.code, 0) << site.err;
    EXPECT_TRUE(fs::is_regular_file("site/index.html"));
}

TEST_F(PublishCli, WrongArgumentsAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* said;
    };
    const std::vector<Case> cases = {
        {{"publish", "--pdf", "x.pdf"}, 2, "缺少要发布的内容"},
        {{"publish", "rooms", "--pdf", "x.pdf"}, 2, "未知的发布内容 rooms"},
        {{"publish", "classes"}, 2, "缺少 --pdf、--xlsx、--html 或 --ics"},
        {{"publish", "classes", "--pdf", "x.pdf", "--xlsx", "x.xlsx"}, 2, "只能选一个"},
        {{"publish", "classes", "七年级", "--pdf", "x.pdf"}, 2, "未知的年段 七年级"},
        {{"publish", "classes", "--pdf", "x.pdf", "--weeks", "3"}, 2, "--weeks 只用于 --ics"},
        {{"publish", "classes", "--ics", "d", "--weeks", "31"}, 2, "周数 31 应为 1 到 30"},
        {{"publish", "classes", "--ics", "d", "--weeks", "x"}, 2, "周数 x 应为 1 到 30"},
        {{"publish", "overview", "--ics", "d"}, 1, "总课表和任课表没有日历"},
        {{"publish", "classes", "all", "extra", "--pdf", "x.pdf"}, 2, "多余的参数 extra"},
    };
    for (const Case& c : cases) {
        const clitest::Result result = runCli(c.args);
        EXPECT_EQ(result.code, c.code) << c.args[1] << ": " << result.err;
        EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
        if (c.code == 2) {
            EXPECT_NE(result.err.find("usage: tavlen-cli publish"), std::string::npos);
        }
    }
    EXPECT_FALSE(fs::exists("x.pdf"));
    EXPECT_FALSE(fs::exists("d"));
}

TEST(PublishCliEmpty, AnUnarrangedGradeSaysSo) {
    clitest::TempDir dir;
    ASSERT_EQ(runCli({"init", (dir / "s").string()}).code, 0);
    clitest::ScopedCwd cwd(dir / "s");
    const clitest::Result result = runCli({"publish", "classes", "初一", "--pdf", "c.pdf"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "tavlen-cli publish: 初一还没有课程表，请先编排\n");
    EXPECT_FALSE(fs::exists("c.pdf"));
    const clitest::Result none = runCli({"publish", "teachers", "--xlsx", "t.xlsx"});
    EXPECT_EQ(none.err, "tavlen-cli publish: 还没有课程表，请先编排\n");
}

} // namespace
