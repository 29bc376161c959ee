// tavlen-cli cover on the demo school, arranged and saved: the plan of a three-day 事假 of a
// teacher with 14 lessons a week (every missed lesson a line, nobody twice in one period),
// --apply writing one attendance record a lesson and nothing more the second time, the
// notice as PDF and workbook read back by pdftotext and openpyxl, and the refusals.
#include "CliTestSupport.h"

#include "store/CATRecord.h"
#include "store/CTNRecord.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

namespace {

using clitest::runCli;

std::vector<std::vector<std::string>> fields(const std::string& out) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             tab = line.find('\t', start)) {
            parts.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        parts.push_back(line.substr(start));
        lines.push_back(std::move(parts));
    }
    return lines;
}

std::string toolOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return out;
}

class CoverCli : public clitest::DemoSchoolDir {
protected:
    void SetUp() override {
        DemoSchoolDir::SetUp();
        ASSERT_EQ(runCli({"arrange", "all", "--save"}).code, 0);
        // The first teacher of the roster with 14 lessons a week in the saved timetable.
        const school::SchoolTimetable timetable = timetable::loadTeacherTimetable();
        for (const store::TeachernameRow& row : store::CTNRecord().readAll()) {
            int week = 0;
            for (int d = 0; d < school::kDays; ++d) {
                week += timetable::lessonsOnDay(timetable, d, row.name);
            }
            if (week == 14) {
                m_teacher = row.name;
                break;
            }
        }
        ASSERT_FALSE(m_teacher.empty());
    }

    std::string m_teacher;
};

TEST_F(CoverCli, PlansAppliesAndWritesTheNotice) {
    // Wednesday 11 to Friday 13 September 2024: week 2.
    const clitest::Result r =
        runCli({"cover", m_teacher, "--from", "2024-09-11", "--to", "2024-09-13"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = fields(r.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0][0].rfind(m_teacher + " 事  假 2024-09-11 至 2024-09-13：共 ", 0), 0u)
        << lines[0][0];
    std::set<std::string> taken;
    std::size_t lessons = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() == 1) {
            EXPECT_EQ(lines[i][0].rfind("无人可代 ", 0), 0u);
            continue;
        }
        ++lessons;
        ASSERT_GE(lines[i].size(), 6u) << lines[i][0];
        EXPECT_GE(lines[i][0], "2024-09-11");
        EXPECT_LE(lines[i][0], "2024-09-13");
        if (lines[i][5] != "无人代课") {
            EXPECT_NE(lines[i][5], m_teacher);
            EXPECT_TRUE(taken.insert(lines[i][0] + lines[i][2] + lines[i][5]).second)
                << lines[i][5] << " twice in " << lines[i][0] << lines[i][2];
            EXPECT_NE(lines[i][6].find("本学期代课 "), std::string::npos);
        }
    }
    EXPECT_GE(lessons, 6u);
    EXPECT_LE(lessons, 14u);
    EXPECT_NE(lines[0][0].find("共 " + std::to_string(lessons) + " 节课"), std::string::npos);

    const std::size_t before = store::CATRecord().readAll().size();
    const clitest::Result applied = runCli({"cover", m_teacher, "--from", "2024-09-11", "--to",
                                            "2024-09-13", "--apply", "--notice", "notice.pdf"});
    ASSERT_EQ(applied.code, 0) << applied.err;
    EXPECT_EQ(applied.out.substr(0, r.out.size()), r.out);
    EXPECT_NE(applied.out.find("已写入 " + std::to_string(lessons) + " 条出勤记录。"),
              std::string::npos);
    EXPECT_NE(applied.out.find("已写出代课通知单：notice.pdf"), std::string::npos);
    EXPECT_EQ(store::CATRecord().readAll().size(), before + lessons);

    // Applied again: the same plan (nobody covering twice), nothing added; the notice is there.
    const clitest::Result again = runCli({"cover", m_teacher, "--from", "2024-09-11", "--to",
                                          "2024-09-13", "--apply", "--notice", "notice.pdf"});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.out.find("这份代课安排已经应用过，出勤记录没有变化。"), std::string::npos);
    EXPECT_NE(again.err.find("（用 --force 替换）"), std::string::npos);
    EXPECT_EQ(store::CATRecord().readAll().size(), before + lessons);

    const std::string text = toolOutput("pdftotext -layout notice.pdf -");
    if (!text.empty()) {
        EXPECT_NE(text.find("代课通知单（2024-09-11 星期三）"), std::string::npos) << text;
        EXPECT_NE(text.find("代课通知单（2024-09-13 星期五）"), std::string::npos);
        EXPECT_NE(text.find(m_teacher), std::string::npos);
        EXPECT_NE(text.find("缺课教师"), std::string::npos);
    }

    ASSERT_EQ(runCli({"cover", m_teacher, "--from", "2024-09-11", "--to", "2024-09-13", "--notice",
                      "notice.xlsx"})
                  .code,
              0);
    const std::string sheets = toolOutput(
        "/usr/bin/python3 -c \"import openpyxl,sys; b=openpyxl.load_workbook('notice.xlsx'); "
        "print('|'.join(ws.title for ws in b.worksheets)); "
        "print('|'.join(str(c.value) for row in b.worksheets[0].iter_rows() for c in row "
        "if c.value is not None))\"");
    if (!sheets.empty()) {
        EXPECT_EQ(sheets.substr(0, sheets.find('\n')), "9月11日|9月12日|9月13日");
        EXPECT_NE(sheets.find("代课通知单（2024-09-11 星期三）"), std::string::npos);
        EXPECT_NE(sheets.find("代课教师"), std::string::npos);
    }
}

TEST_F(CoverCli, RefusesWhatCannotBePlanned) {
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"cover", m_teacher}, 2, "缺少 --from"},
        {{"cover", "--from", "2024-09-11"}, 2, "缺少教师"},
        {{"cover", m_teacher, "--from", "2024-09-11", "--notice", "x.txt"},
         2,
         "--notice 应为 .pdf 或 .xlsx 文件"},
        {{"cover", m_teacher, "--from", "2024-08-30"}, 1, "在第一周之前"},
        {{"cover", m_teacher, "--from", "2025-10-27"}, 1, "在第 60 周之后"},
        {{"cover", m_teacher, "--from", "2024-09-14", "--to", "2024-09-15"}, 1, "没有课"},
        {{"cover", m_teacher, "--from", "2024-09-11", "--category", "迟到"},
         1,
         "性质应为 事  假、公  假 或 缺  勤。"},
        {{"cover", "没有这人", "--from", "2024-09-11"}, 1, "教师名单中没有“没有这人”。"},
    };
    for (const auto& [args, code, message] : cases) {
        const clitest::Result r = runCli(args);
        EXPECT_EQ(r.code, code) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

} // namespace
