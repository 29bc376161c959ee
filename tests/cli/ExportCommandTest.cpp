// tavlen-cli export lessons, teachers and weekwork: the grade timetable document of
// gradelesson, the grade teacher list of classcourse and the teachers' weekly lesson counts,
// byte for byte as the dialogs' exports write them, their PDF prints, what the teacher list
// cannot hold, and the arguments and databases refused.
#include "CliTestSupport.h"

#include "cli/DemoSchool.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "timetable/SchoolTimetableStore.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;
using clitest::readFile;
using clitest::runCli;

const fs::path kGolden = fs::path(TAVLEN_CLI_TEST_DATA) / "export-lessons-grade1.txt";
const fs::path kTeachersGolden = fs::path(TAVLEN_CLI_TEST_DATA) / "export-teachers-grade1.txt";
const fs::path kDutyGolden = fs::path(TAVLEN_CLI_TEST_DATA) / "export-supervis.txt";
const fs::path kWeekworkGolden = fs::path(TAVLEN_CLI_TEST_DATA) / "export-weekwork.txt";

// The demo school's 初一 laid out without the engine, so that the golden file depends on
// the export alone: each class's lessons (the teacher of each of its course rows, as often
// as the weekly count) fill the week period by period, from a cell one further for each
// class; the cells left over stay empty and print as 自习.
school::SchoolTimetable demoGrade1() {
    const cli::DemoSchool demo = cli::makeDemoSchool();
    school::SchoolTimetable timetable;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string name = school::className(0, c + 1);
        std::vector<std::string> lessons;
        for (const store::ClasscourseRow& row : demo.classcourse) {
            if (row.className == name) {
                lessons.insert(lessons.end(), static_cast<std::size_t>(row.weekly), row.teacher);
            }
        }
        if (lessons.empty()) {
            break;
        }
        constexpr int kCells = school::kDays * school::kPeriods;
        for (int d = 0; d < school::kDays; ++d) {
            timetable.cell(0, c, d, 0) = name;
        }
        for (int k = 0; k < static_cast<int>(lessons.size()) && k < kCells; ++k) {
            const int cell = (c + k) % kCells;
            timetable.cell(0, c, cell / school::kPeriods, cell % school::kPeriods + 1) =
                lessons[static_cast<std::size_t>(k)];
        }
    }
    return timetable;
}

// The demo school made by `init --demo`, its 初一 in gradelesson, entered for the test.
class ExportCli : public clitest::DemoSchoolDir {
protected:
    void SetUp() override {
        DemoSchoolDir::SetUp();
        timetable::saveSchoolTimetable(demoGrade1());
    }
};

TEST_F(ExportCli, WritesTheGradeTimetableAsTheDialogExportsIt) {
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(runCli({"export", "lessons", "初一", "-o", kGolden.string()}).code, 0);
    }
    const std::string golden = readFile(kGolden);
    ASSERT_EQ(golden.size(), 6840u) << kGolden;
    for (const std::string grade : {"初一", "1"}) {
        const clitest::Result r = runCli({"export", "lessons", grade, "-o", "lesson.txt"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "已写出 lesson.txt\n");
        EXPECT_EQ(readFile("lesson.txt"), golden) << grade;
    }
    // A grade without rows in gradelesson is the empty grid, as the dialog exports it.
    ASSERT_EQ(runCli({"export", "lessons", "高三", "-o", "empty.txt"}).code, 0);
    const std::string empty = readFile("empty.txt");
    ASSERT_EQ(empty.size(), 6840u);
    EXPECT_EQ(empty.substr(0, 4 * 152), golden.substr(0, 4 * 152));
    EXPECT_EQ(empty.substr(5 * 152), std::string(6840 - 5 * 152, '\0'));
}

TEST_F(ExportCli, PdfDrawsThePrintedPageAndRemovesTheTemporaryFile) {
    const clitest::Result r =
        runCli({"export", "lessons", "初一", "-o", "lesson.txt", "--pdf", "lesson.pdf"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "已写出 lesson.txt\n打印完毕!\n");
    EXPECT_EQ(r.err, "");
    const std::string pdf = readFile("lesson.pdf");
    EXPECT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_FALSE(fs::exists("lesson.wps"));
    EXPECT_EQ(readFile("lesson.txt"), readFile(kGolden));
}

// The review timetable as its dialog exports it: one page for the five review days of 初三,
// the saved teachers' first characters in its cells; never printed.
TEST_F(ExportCli, WritesTheReviewTimetableAndRefusesToPrintIt) {
    ASSERT_EQ(runCli({"review", "初三", "--save", "--seed", "3"}).code, 0);
    const clitest::Result r = runCli({"export", "lessonr", "3", "-o", "lessonr.txt"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string document = clitest::readFile("lessonr.txt");
    ASSERT_EQ(document.size(), 6840u);
    const std::string text = gbk::fromGbk(document);
    EXPECT_NE(text.find("初三⑴"), std::string::npos);
    EXPECT_NE(text.find("初三⑽"), std::string::npos);
    const clitest::Result pdf =
        runCli({"export", "lessonr", "初三", "-o", "r.txt", "--pdf", "lessonr.pdf"});
    EXPECT_EQ(pdf.code, 1);
    EXPECT_NE(pdf.err.find("复习课程表只能导出，不能打印。"), std::string::npos) << pdf.err;
    EXPECT_FALSE(std::filesystem::exists("lessonr.pdf"));
}

TEST_F(ExportCli, WritesTheGradeTeacherListAsTheBrowseDialogExportsIt) {
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(runCli({"export", "teachers", "初一", "-o", kTeachersGolden.string()}).code, 0);
    }
    const std::string golden = readFile(kTeachersGolden);
    ASSERT_EQ(golden.size(), 5084u) << kTeachersGolden;
    for (const std::string grade : {"初一", "1"}) {
        const clitest::Result r = runCli({"export", "teachers", grade, "-o", "teacher.txt"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "已写出 teacher.txt\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(readFile("teacher.txt"), golden) << grade;
    }
    // The demo's 初一 has twelve classes: each on its line under the headings, its first
    // course's teacher as the demo school gives it, then the bottom border.
    const auto line = [&golden](int l) {
        return gbk::fromGbk(golden.substr(static_cast<std::size_t>(l) * 124, 124));
    };
    const cli::DemoSchool demo = cli::makeDemoSchool();
    EXPECT_EQ(line(1).find("│班级  ║" + demo.classcourse.front().course), 0u) << line(1);
    for (int c = 1; c <= 12; ++c) {
        const std::string name = school::className(0, c);
        const auto first = std::find_if(demo.classcourse.begin(), demo.classcourse.end(),
                                        [&](const auto& row) { return row.className == name; });
        ASSERT_NE(first, demo.classcourse.end()) << name;
        EXPECT_EQ(line(2 * c + 1).find("│" + name + "║" + first->teacher), 0u) << line(2 * c + 1);
    }
    EXPECT_EQ(line(26).find("└"), 0u) << line(26);
    EXPECT_EQ(golden.substr(27 * 124), std::string(5084 - 27 * 124, '\0'));

    const clitest::Result printed =
        runCli({"export", "teachers", "初一", "-o", "t.txt", "--pdf", "teacher.pdf"});
    ASSERT_EQ(printed.code, 0) << printed.err;
    EXPECT_EQ(printed.out, "已写出 t.txt\n打印完毕!\n");
    EXPECT_EQ(readFile("teacher.pdf").substr(0, 5), "%PDF-");
    EXPECT_FALSE(fs::exists("tavlen/teacher.wps"));
}

TEST_F(ExportCli, TheTeacherListNamesTheClassesAndCoursesItCannotHold) {
    std::vector<store::ClasscourseRow> rows;
    for (int c = 1; c <= school::kMaxClasses; ++c) {
        rows.push_back({school::className(5, c), "语文", "王伟", 6});
    }
    store::CCCRecord().replace(
        [](const store::ClasscourseRow& row) { return row.className.starts_with("高三"); }, rows);
    const clitest::Result r = runCli({"export", "teachers", "高三", "-o", "teacher.txt"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "tavlen-cli export: 年段任课教师表最多写入19个班级、19门学科，以下没有写入："
                     "高三⒇\n");
    const std::string document = readFile("teacher.txt");
    ASSERT_EQ(document.size(), 5084u);
    EXPECT_EQ(gbk::fromGbk(document.substr(39 * 124, 124)).find("│高三⒆║王伟"), 0u);
}

TEST_F(ExportCli, WritesTheDutyRosterAsTheBrowseDialogExportsIt) {
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(runCli({"export", "supervis", "-o", kDutyGolden.string()}).code, 0);
    }
    const std::string golden = readFile(kDutyGolden);
    ASSERT_EQ(golden.size(), 11316u) << kDutyGolden;
    const clitest::Result r =
        runCli({"export", "supervis", "-o", "supervise.txt", "--pdf", "supervise.pdf"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "已写出 supervise.txt\n打印完毕!\n");
    EXPECT_EQ(readFile("supervise.txt"), golden);
    EXPECT_EQ(readFile("supervise.pdf").substr(0, 5), "%PDF-");
    // The demo's duties: each class on its line, Sunday evening second, as the table has it.
    const auto line = [&golden](int l) {
        return gbk::fromGbk(golden.substr(static_cast<std::size_t>(l) * 92, 92));
    };
    EXPECT_EQ(line(3).find("│班级  ║周日晚│周一早│"), 0u) << line(3);
    const cli::DemoSchool demo = cli::makeDemoSchool();
    const store::SuperviseRow& first = demo.supervise.front();
    EXPECT_EQ(line(5).find("│" + first.className + "║"), 0u) << line(5);
    for (const store::SuperviseRow& row : demo.supervise) {
        if (row.className == first.className && row.time == "周日晚") {
            EXPECT_EQ(line(5).find("║" + gbk::cut(row.teacher, 6)), first.className.size() + 3)
                << line(5);
        }
    }
}

// A text padded with spaces to a width of GBK bytes.
std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - gbk::width(text), ' ');
}

// 教师周课时一览表 as its dialog exports it: every demo teacher on a line of its own, 50 to a
// page under the headings, with the subject of the first classcourse row and the week's total.
TEST_F(ExportCli, WritesTheLessonCountsAsTheirDialogExportsThem) {
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(runCli({"export", "weekwork", "-o", kWeekworkGolden.string()}).code, 0);
    }
    const std::string golden = readFile(kWeekworkGolden);
    const clitest::Result r =
        runCli({"export", "weekwork", "-o", "weekwork.txt", "--pdf", "weekwork.pdf"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "已写出 weekwork.txt\n打印完毕!\n");
    EXPECT_EQ(readFile("weekwork.txt"), golden);
    EXPECT_EQ(readFile("weekwork.pdf").substr(0, 5), "%PDF-");

    // The golden file holds what the demo's tables say, counted here on their own.
    const cli::DemoSchool demo = cli::makeDemoSchool();
    std::vector<std::string> expected;
    for (const store::TeachernameRow& teacher : demo.teachername) {
        std::string subject;
        int total = 0;
        for (const store::ClasscourseRow& row : demo.classcourse) {
            if (row.teacher == teacher.name) {
                subject = subject.empty() ? row.course : subject;
                total += row.weekly;
            }
        }
        expected.push_back("│" + padded(teacher.name, 10) + "│" + padded(subject, 10) + "│" +
                           padded(std::to_string(total), 6) + "│\r\n");
    }
    ASSERT_GT(expected.size(), 50u); // more than one page
    const std::size_t pages = (expected.size() + 49) / 50;
    ASSERT_EQ(golden.size(), pages * 54 * 36);
    const auto line = [&](std::size_t page, std::size_t l) {
        return gbk::fromGbk(golden.substr((page * 54 + l) * 36, 36));
    };
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(line(k / 50, 3 + k % 50), expected[k]) << k;
    }
    EXPECT_EQ(line(pages - 1, 1), "│教师      │学科      │周课时│\r\n");
    EXPECT_EQ(line(pages - 1, 3 + (expected.size() - 1) % 50 + 1).find("└"), 0u);
}

TEST_F(ExportCli, WrongArgumentsAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* message; // the first line on stderr, after "tavlen-cli export: "
    };
    const std::vector<Case> cases = {
        {{}, "缺少导出种类"},
        {{"weekly", "-o", "x.txt"}, "未知的导出种类“weekly”"},
        {{"lessons", "-o", "x.txt"}, "缺少年段"},
        {{"lessons"}, "缺少年段"},
        {{"lessons", "初四", "-o", "x.txt"}, "未知年段 初四"},
        {{"lessons", "7", "-o", "x.txt"}, "未知年段 7"},
        {{"lessons", "初一", "2", "-o", "x.txt"}, "多余的参数 2"},
        {{"lessons", "初一"}, "缺少 -o OUT"},
        {{"lessons", "初一", "--pdf", "x.pdf"}, "缺少 -o OUT"},
        {{"lessons", "初一", "-o"}, "选项 -o 缺少参数"},
        {{"lessons", "初一", "-o", "x.txt", "--title", "t"}, "未知的选项 --title"},
        {{"teachers", "-o", "x.txt"}, "缺少年段"},
        {{"teachers", "高四", "-o", "x.txt"}, "未知年段 高四"},
        {{"teachers", "高一", "高二", "-o", "x.txt"}, "多余的参数 高二"},
        {{"teachers", "高一"}, "缺少 -o OUT"},
        {{"supervis", "初一", "-o", "x.txt"}, "多余的参数 初一"},
        {{"weekwork", "初一", "-o", "x.txt"}, "多余的参数 初一"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{"export"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const clitest::Result r = runCli(argv);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
                  std::string("tavlen-cli export: ") + c.message);
        EXPECT_NE(r.err.find("\nusage:\n  tavlen-cli export lessons GRADE -o OUT"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("\n  tavlen-cli export teachers GRADE -o OUT [--pdf OUT.pdf]\n"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists("x.txt"));
    EXPECT_FALSE(fs::exists("x.pdf"));
}

TEST_F(ExportCli, ADatabaseOrFileThatFailsIsAnError) {
    // Each case spoils a little more: the output's folder, then the database's contents,
    // then the database itself.
    struct Case {
        const char* what;
        std::optional<std::string> database; // written over tavlen/tavlen.mdb; "" removes it
        std::string output;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"unwritable output", std::nullopt, "no-such-folder/x.txt", "tavlen-cli export: "},
        {"not a database", "not a database", "x.txt", "tavlen-cli export: "},
        {"no database", "", "x.txt", "找不到数据库 ./tavlen/tavlen.mdb"},
    };
    for (const Case& c : cases) {
        if (c.database && c.database->empty()) {
            fs::remove("tavlen/tavlen.mdb");
        } else if (c.database) {
            clitest::writeFile("tavlen/tavlen.mdb", *c.database);
        }
        const clitest::Result r = runCli({"export", "lessons", "初一", "-o", c.output});
        EXPECT_EQ(r.code, 1) << c.what;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(r.err.find("usage"), std::string::npos) << c.what << ": " << r.err;
        EXPECT_FALSE(fs::exists(c.output)) << c.what;
    }
}

} // namespace
