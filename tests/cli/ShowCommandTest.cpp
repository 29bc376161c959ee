// tavlen-cli show: the summary of a small school written row by row, the figures of the
// demo school, and the clean failure without a database.
#include "CliTestSupport.h"

#include "TempDatabase.h"
#include "cli/ShowCommand.h"
#include "core/SchoolNames.h"
#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCSRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"

#include <gtest/gtest.h>

#include <map>

namespace {

namespace fs = std::filesystem;
using clitest::runCli;

template <class RecordSetType>
void append(const std::vector<typename RecordSetType::RowType>& rows) {
    RecordSetType().append(rows);
}

std::string summary() {
    std::ostringstream out;
    cli::writeSummary(out);
    return out.str();
}

TEST(ShowSummary, ListsEveryPartOfASmallSchool) {
    const testsupport::TempDatabase db;
    append<store::CGSRecord>({{"初一", 2}, {"高三", 1}});
    append<store::CCNRecord>({{"语文"}, {"数学"}, {"班会"}});
    append<store::CTNRecord>({{"王伟"}, {"李晓明"}, {"张敏"}});
    append<store::CGCRecord>({{"高三", "数学", 4, 0},
                              {"初一", "语文", 6, 0},
                              {"初一", "数学", 5, 0},
                              {"初一", "语文", 3, 10}});
    append<store::CSLRecord>({{"初一", 5, 7, "班会"}, {"初一", 3, 6, "班会"}});
    // 初一⑵'s teacher was removed (eight spaces); 初一⑴ has a row stored after 高三⑴.
    append<store::CCCRecord>({{"初一⑴", "语文", "王伟", 6},
                              {"初一⑵", "语文", "        ", 6},
                              {"高三⑴", "数学", "张敏", 4},
                              {"初一⑴", "数学", "李晓明", 5}});
    append<store::CCSRecord>({{"体育", 8}, {"信息", 2}});
    append<store::CSORecord>({{"初一⑴", "周一晚", "王伟"}});
    append<store::CATRecord>(
        {{"王伟", "1", "初一⑴", {2024, 9, 2, 0, 0, 0}, "星期一", "第一节", "迟  到", "", ""},
         {"张敏", "1", "高三⑴", {2024, 9, 3, 0, 0, 0}, "星期二", "第二节", "公  假", "王伟", ""}});

    EXPECT_EQ(summary(), "年段班级（共 3 个班）：\n"
                         "  初一 2 个班\n"
                         "  高三 1 个班\n"
                         "课程（3 门）：语文 数学 班会\n"
                         "教师（3 人）：王伟 李晓明 张敏\n"
                         "年段周课程：\n"
                         "  初一 周课时 11：语文 6，数学 5\n"
                         "    统一课：星期五第七节 班会；星期三第六节 班会\n"
                         "  高三 周课时 4：数学 4\n"
                         "班级课程（3 个班）：\n"
                         "  初一⑴ 11 节：语文 王伟，数学 李晓明\n"
                         "  初一⑵ 6 节：语文 （未定）\n"
                         "  高三⑴ 4 节：数学 张敏\n"
                         "其他：\n"
                         "  学科资源限制 2 条：体育 8，信息 2\n"
                         "  课程性质 0 条\n"
                         "  教师课程预设 0 条\n"
                         "  统一课程 2 条\n"
                         "  早晚督修 1 条\n"
                         "  出勤记录 2 条\n"
                         "  学科周工作量 0 条\n"
                         "  复习课程 1 条\n"
                         "  年段课表 0 行\n"
                         "  复习课表 0 行\n"
                         "  安排计划 0 条\n");
}

TEST(ShowSummary, ShowsOnlyTheFirstTwelveTeachersOfALongRoster) {
    const testsupport::TempDatabase db;
    std::vector<store::TeachernameRow> roster;
    for (int i = 0; i < 13; ++i) {
        roster.push_back(
            {"教师" + std::string(school::kClassNumbers[static_cast<std::size_t>(i)])});
    }
    append<store::CTNRecord>(roster);
    const std::string text = summary();
    EXPECT_NE(text.find("教师（13 人）：教师⑴ 教师⑵ 教师⑶ 教师⑷ 教师⑸ 教师⑹ 教师⑺ 教师⑻ "
                        "教师⑼ 教师⑽ 教师⑾ 教师⑿ 等\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("教师⒀"), std::string::npos);
}

TEST(ShowSummary, AnEmptyDatabaseGivesZeroCounts) {
    const testsupport::TempDatabase db;
    const std::string text = summary();
    EXPECT_NE(text.find("年段班级（共 0 个班）：\n课程（0 门）：\n教师（0 人）：\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("班级课程（0 个班）：\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  出勤记录 0 条\n"), std::string::npos) << text;
}

class ShowCommand : public ::testing::Test {
protected:
    clitest::TempDir m_dir;
};

TEST_F(ShowCommand, FailsCleanlyWithoutADatabase) {
    const clitest::ScopedCwd cwd(m_dir.path());
    fs::create_directories("tavlen"); // the folder alone is not enough
    const auto result = runCli({"show"});
    EXPECT_NE(result.code, 0);
    EXPECT_EQ(result.err, "找不到数据库 ./tavlen/tavlen.mdb\n");
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(fs::exists("tavlen/tavlen.mdb")) << "show must never create the database";
}

TEST_F(ShowCommand, RejectsArguments) {
    const clitest::ScopedCwd cwd(m_dir.path());
    const auto result = runCli({"show", "extra"});
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("usage: tavlen-cli show"), std::string::npos) << result.err;
}

TEST_F(ShowCommand, ReportsADamagedDatabaseWithTheDriverText) {
    const clitest::ScopedCwd cwd(m_dir.path());
    fs::create_directories("tavlen");
    clitest::writeFile("tavlen/tavlen.mdb", "this is not a database, just some text long enough");
    const auto result = runCli({"show"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("tavlen-cli show: "), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST_F(ShowCommand, PrintsTheFiguresOfTheDemoSchool) {
    const clitest::ScopedEnv templates("TAVLEN_TEMPLATES", (m_dir / "none").string());
    ASSERT_EQ(runCli({"init", (m_dir / "school").string(), "--demo"}).code, 0);
    const clitest::ScopedCwd cwd(m_dir / "school");
    const auto result = runCli({"show"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string& text = result.out;
    EXPECT_EQ(text.rfind("数据库 ./tavlen/tavlen.mdb\n", 0), 0u) << text;

    // The expected figures, counted independently from the tables.
    store::useDatabaseFile((m_dir / "school" / "tavlen" / "tavlen.mdb").string());
    int classes = 0;
    for (const auto& row : store::CGSRecord().readAll()) {
        classes += row.classes;
        EXPECT_NE(text.find("\n  " + row.grade + ' ' + std::to_string(row.classes) + " 个班\n"),
                  std::string::npos)
            << row.grade;
    }
    EXPECT_NE(text.find("年段班级（共 " + std::to_string(classes) + " 个班）"), std::string::npos);
    EXPECT_NE(text.find("班级课程（" + std::to_string(classes) + " 个班）"), std::string::npos);

    const auto teachers = store::CTNRecord().readAll();
    EXPECT_NE(text.find("教师（" + std::to_string(teachers.size()) + " 人）：" + teachers[0].name +
                        ' ' + teachers[1].name),
              std::string::npos);
    EXPECT_NE(text.find("课程（" + std::to_string(store::CCNRecord().readAll().size()) +
                        " 门）：语文 数学"),
              std::string::npos);

    std::map<std::string, int> classTotal;
    std::map<std::string, std::string> firstCourse;
    for (const auto& row : store::CCCRecord().readAll()) {
        classTotal[row.className] += row.weekly;
        firstCourse.emplace(row.className, row.course + ' ' + row.teacher);
    }
    for (const auto& [name, total] : classTotal) {
        EXPECT_NE(text.find("\n  " + name + ' ' + std::to_string(total) + " 节：" +
                            firstCourse[name] + "，"),
                  std::string::npos)
            << name;
    }

    std::map<std::string, int> gradeTotal; // the weekly plans; review rows are counted apart
    for (const auto& row : store::CGCRecord().readAll()) {
        gradeTotal[row.grade] += row.days == 0 ? row.weekly : 0;
    }
    for (const auto& [grade, total] : gradeTotal) {
        EXPECT_NE(text.find("\n  " + grade + " 周课时 " + std::to_string(total) + "：语文 "),
                  std::string::npos)
            << grade;
    }

    const auto counted = [&text](const std::string& label, std::size_t count) {
        return text.find("\n  " + label + ' ' + std::to_string(count) + " 条") != std::string::npos;
    };
    EXPECT_TRUE(counted("教师课程预设", store::CLPRecord().readAll().size())) << text;
    EXPECT_TRUE(counted("统一课程", store::CSLRecord().readAll().size())) << text;
    EXPECT_TRUE(counted("早晚督修", store::CSORecord().readAll().size())) << text;
    EXPECT_TRUE(counted("出勤记录", store::CATRecord().readAll().size())) << text;
    EXPECT_TRUE(counted("学科资源限制", store::CCSRecord().readAll().size())) << text;
    EXPECT_NE(text.find("\n  年段课表 0 行\n"), std::string::npos) << text;
}

} // namespace

namespace {

// Rows holding numbers that are no whole numbers, or lie outside their column's range, and
// class names outside the naming scheme are named and passed over, never misread.
TEST(ShowSummary, NamesAndPassesOverInvalidRows) {
    const testsupport::TempDatabase db;
    db.execute("INSERT INTO gradeclass (grade, class) VALUES ('初一', 2147483647), ('初二', 3)");
    db.execute(
        "INSERT INTO classcourse (班级, 学科, 教师, 周课时) VALUES ('初二⑴', '语文', '王伟', "
        "'abc'), ('初二⑴', '数学', '李娜', 5)");
    const std::string text = summary();
    EXPECT_NE(text.find("忽略 2 条无效记录：gradeclass 第 1 行：class = 2147483647；"
                        "classcourse 第 1 行：周课时 = abc\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("年段班级（共 3 个班）"), std::string::npos) << text;
    EXPECT_NE(text.find("初二⑴ 5 节：数学 李娜"), std::string::npos) << text;
}

// Classes are indexed by name (a scan of the classes met so far took 46 s for 300,000
// names); each keeps its place of first appearance and gathers its later rows.
TEST(ShowSummary, ManyDistinctClassNamesKeepTheirOrderOfFirstAppearance) {
    const testsupport::TempDatabase db;
    std::vector<store::ClasscourseRow> rows;
    for (int i = 0; i < 20000; ++i) {
        rows.push_back({"班" + std::to_string(i), "语文", "王伟", 1});
    }
    rows.push_back({"班7", "数学", "李娜", 2});
    store::CCCRecord().append(rows);
    const std::string text = summary();
    EXPECT_NE(text.find("班级课程（20000 个班）：\n  班0 1 节：语文 王伟\n"), std::string::npos);
    EXPECT_NE(text.find("\n  班7 3 节：语文 王伟，数学 李娜\n  班8 "), std::string::npos);
}

} // namespace

namespace {

// Timetable rows whose number is no whole number are named too, and not counted.
TEST(ShowSummary, NamesInvalidTimetableRows) {
    const testsupport::TempDatabase db;
    db.execute("INSERT INTO gradelesson (class, number) VALUES ('初一⑴', 'x1'), ('初一⑴', 10101)");
    db.execute("INSERT INTO reviewlesson (class, number) VALUES ('初一⑴', '1.5')");
    const std::string text = summary();
    EXPECT_NE(text.find("忽略 2 条无效记录：gradelesson 第 1 行："), std::string::npos) << text;
    EXPECT_NE(text.find("；reviewlesson 第 1 行："), std::string::npos) << text;
    EXPECT_NE(text.find("\n  年段课表 1 行\n  复习课表 0 行\n"), std::string::npos) << text;
}

} // namespace
