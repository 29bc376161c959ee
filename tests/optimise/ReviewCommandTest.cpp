// tavlen-cli review --optimise on the demo school: 初三 (five days) and 高三 (seven) arranged
// without a clash, every review lesson in place, saved and exported; the same seed repeating;
// a grade without a review plan named with a non-zero exit; bad options refused.
#include "ArrangeCliFixture.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/ReviewClashes.h"
#include "timetable/ReviewStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using arrangetest::Result;

class ReviewOptimise : public arrangetest::DemoSchoolCli {
protected:
    static Result command(const std::vector<std::string>& args) { return runCommand(args); }
};

// The output without its line of seconds and steps.
std::string withoutTiming(const std::string& out) {
    return out.substr(0, out.find("复习优化编排：全部"));
}

} // namespace

TEST_F(ReviewOptimise, TheDemoGraduatingGradesHaveNoClashAndEveryLessonSaved) {
    for (const auto& [grade, days] : {std::pair{2, 5}, std::pair{5, 7}}) {
        const std::string name(school::kGradeNames[static_cast<std::size_t>(grade)]);
        SCOPED_TRACE(name);
        const Result r = command({"review", name, "--optimise", "--save"});
        ASSERT_EQ(r.code, 0) << r.out << r.err;
        EXPECT_NE(r.out.find("== " + name + " 复习优化编排：" + std::to_string(days) + " 天，"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find(name + " 剩余问题：\n  无\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("复习优化编排：全部规则已满足，用时 "), std::string::npos);
        EXPECT_NE(r.out.find("已存入 reviewlesson"), std::string::npos);

        // as saved: the plan's days, every class of the grade with its periods, no clash
        const timetable::ReviewData data = timetable::loadReviewData(grade);
        const school::ReviewTimetable saved = timetable::loadReviewTimetable(grade);
        EXPECT_EQ(timetable::loadedReviewDays(saved, grade), days);
        EXPECT_TRUE(timetable::reviewClashes(saved, grade, days).empty());
        for (int c = 0; c < school::kMaxClasses; ++c) {
            int owed = 0;
            for (const timetable::ReviewEntry& entry : data.entries(c + 1)) {
                owed += entry.periods;
            }
            if (owed < 15) {
                continue;
            }
            int placed = 0;
            for (int d = 0; d < days; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    placed += gbk::isBlank(saved.cell(grade, c, d, p)) ? 0 : 1;
                }
            }
            EXPECT_EQ(placed, owed) << saved.cell(grade, c, 0, 0);
        }
    }
    std::filesystem::copy_file(TAVLEN_TEMPLATE_DIR "/lessonr", "tavlen/lessonr",
                               std::filesystem::copy_options::overwrite_existing);
    const Result exported = command({"export", "lessonr", "初三", "-o", "lessonr.txt"});
    ASSERT_EQ(exported.code, 0) << exported.err;
    std::ifstream in("lessonr.txt", std::ios::binary);
    const std::string document{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(gbk::fromGbk(document).find("初三⑴"), std::string::npos);
}

TEST_F(ReviewOptimise, TheSameSeedGivesTheSameTimetable) {
    const Result first = command({"review", "高三", "--optimise", "--seed", "11"});
    const Result second = command({"review", "高三", "--optimise", "--seed", "11"});
    ASSERT_EQ(first.code, 0) << first.out << first.err;
    EXPECT_EQ(withoutTiming(first.out), withoutTiming(second.out));
}

TEST_F(ReviewOptimise, AGradeWithoutAReviewPlanIsNamedAndBadOptionsAreRefused) {
    const Result none = command({"review", "初一", "--optimise"});
    EXPECT_EQ(none.code, 3);
    EXPECT_NE(none.out.find("无法满足：复习计划：初一 没有复习计划"), std::string::npos)
        << none.out;
    EXPECT_NE(none.out.find("复习优化编排：未能满足全部规则"), std::string::npos);

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"review", "初三", "--time-limit", "2"}, "--time-limit 只用于 --optimise"},
        {{"review", "初三", "--optimise", "--time-limit", "0"}, "无效的时间限制 0"},
        {{"review", "初三", "--optimise", "--time-limit", "x"}, "无效的时间限制 x"},
    };
    for (const auto& [args, message] : refused) {
        const Result r = command(args);
        EXPECT_EQ(r.code, 2) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}
