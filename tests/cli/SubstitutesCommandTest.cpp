// tavlen-cli substitutes: the ranking of the attendance input's 代课 box on a small school (a
// busy teacher and a preset left out, the same subject first), the day and period given as
// names or numbers, and the arguments refused.
#include "CliTestSupport.h"

#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CLPRecord.h"
#include "store/CTNRecord.h"
#include "timetable/SchoolTimetableStore.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using clitest::runCli;

class SubstitutesCli : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path school = m_dir / "school";
        ASSERT_EQ(runCli({"init", school.string()}).code, 0);
        store::useDatabaseFile((school / "tavlen" / "tavlen.mdb").string());
        store::CTNRecord().append(
            std::vector<store::TeachernameRow>{{"王伟"}, {"张强"}, {"刘洋"}, {"赵敏"}, {"李娜"}});
        store::CCCRecord().append(std::vector<store::ClasscourseRow>{{"初一⑴", "数学", "王伟", 5},
                                                                     {"初一⑵", "数学", "李娜", 5},
                                                                     {"初一⑵", "语文", "张强", 6},
                                                                     {"初一⑶", "英语", "刘洋", 4}});
        std::string mask(35, '0');
        mask[1 * 7 + 2] = '1'; // 赵敏: not on Tuesday, period 3
        store::CLPRecord().append(std::vector<store::LessonprearrangeRow>{{"赵敏", mask}});
        school::SchoolTimetable timetable;
        for (int c = 0; c < 3; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                timetable.cell(0, c, d, 0) = school::className(0, c + 1);
            }
        }
        timetable.cell(0, 0, 1, 3) = "王伟";
        timetable.cell(0, 1, 1, 3) = "张强";
        timetable.cell(0, 1, 1, 1) = "李娜";
        timetable.cell(0, 2, 1, 1) = "刘洋";
        timetable.cell(0, 2, 1, 2) = "刘洋";
        timetable::saveSchoolTimetable(timetable);
        m_cwd.emplace(school);
    }
    void TearDown() override { m_cwd.reset(); }

    clitest::TempDir m_dir;
    std::optional<clitest::ScopedCwd> m_cwd;
};

TEST_F(SubstitutesCli, PrintsTheRankingOneCandidateALine) {
    const std::string expected = "李娜\t同科 · 当天1节 · 本周1节\n刘洋\t当天2节 · 本周2节\n";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"substitutes", "王伟", "--day", "星期二", "--period", "3"},
             {"substitutes", "--day", "2", "--period", "第三节", "王伟", "--class", "初一⑴"}}) {
        const clitest::Result r = runCli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, expected);
    }
    // Period 1: 李娜 and 刘洋 teach then; 张强 and 赵敏 are free, 赵敏 without a lesson that day.
    EXPECT_EQ(runCli({"substitutes", "王伟", "--day", "星期二", "--period", "1"}).out,
              "赵敏\t当天0节 · 本周0节\n张强\t当天1节 · 本周1节\n");
}

TEST_F(SubstitutesCli, RefusesWrongArgumentsAndUnknownTeachers) {
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"substitutes"}, 2},
        {{"substitutes", "王伟", "--day", "星期六", "--period", "3"}, 2},
        {{"substitutes", "王伟", "--day", "星期二", "--period", "8"}, 2},
        {{"substitutes", "王伟", "--day", "星期二"}, 2},
        {{"substitutes", "王伟", "--day", "星期二", "--period", "3", "--class", "初七⑴"}, 2},
        {{"substitutes", "王伟", "李娜", "--day", "星期二", "--period", "3"}, 2},
        {{"substitutes", "王伟", "--week", "3"}, 2},
        {{"substitutes", "无名氏", "--day", "星期二", "--period", "3"}, 1},
    };
    for (const auto& [args, code] : cases) {
        const clitest::Result r = runCli(args);
        EXPECT_EQ(r.code, code) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        EXPECT_NE(r.err.find("tavlen-cli substitutes: "), std::string::npos) << args.back();
    }
}

} // namespace
