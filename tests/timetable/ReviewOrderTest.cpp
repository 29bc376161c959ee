// The review arrangement: placement in doubles and period-7 singles, the 4000 and 8000
// thresholds and the bound on failed draws, the once-only clash repair, and a pinned run on
// the C library's default sequence.
#include "timetable/ReviewOrder.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace {

using timetable::ReviewData;
using timetable::ReviewEntry;
using timetable::ReviewOrder;
using Week = ReviewOrder::Week;

// A source that returns f(index of the draw).
class Script final : public timetable::RandomSource {
public:
    explicit Script(std::function<int(long long)> f) : m_f(std::move(f)) {}
    int next() override { return m_f(m_draws++); }

private:
    std::function<int(long long)> m_f;
    long long m_draws = 0;
};

ReviewData reviewDays(int days) {
    ReviewData data(0);
    data.addGradecourse("初一", "语文", 5, days);
    return data;
}

// (day, period 1..7) of every cell holding the teacher.
std::vector<std::pair<int, int>> cellsOf(const Week& week, const std::string& teacher) {
    std::vector<std::pair<int, int>> cells;
    for (int d = 0; d < timetable::kReviewDays; ++d) {
        for (int p = 0; p < school::kPeriods; ++p) {
            if (week[static_cast<std::size_t>(d)][static_cast<std::size_t>(p)] == teacher) {
                cells.emplace_back(d, p + 1);
            }
        }
    }
    return cells;
}

TEST(ReviewPlacement, FivePeriodsGiveTwoDoublesOnTwoDaysAndOneLessonInPeriodSeven) {
    const ReviewData data = reviewDays(3);
    for (unsigned seed = 0; seed < 20; ++seed) {
        enginetest::ScriptedRandom random(enginetest::testSeed() + seed);
        ReviewOrder order(data, random);
        const auto cells = cellsOf(order.place({{"语文", "王伟", 5}}), "王伟");
        ASSERT_EQ(cells.size(), 5u) << seed;
        int sevens = 0;
        std::set<int> doubleDays;
        for (const auto& [day, period] : cells) {
            if (period == 7) {
                ++sevens;
            } else if (period % 2 == 1) {
                doubleDays.insert(day);
                EXPECT_NE(std::find(cells.begin(), cells.end(), std::make_pair(day, period + 1)),
                          cells.end());
            }
        }
        EXPECT_EQ(sevens, 1) << seed;
        EXPECT_EQ(doubleDays.size(), 2u) << seed; // a teacher's day is taken once while it can be
    }
}

TEST(ReviewPlacement, After4000FailedDrawsLessonsGoToPeriodSevenAndTheBoundEndsTheClass) {
    // One day; 王伟's double takes periods 1–2 and every draw points there again.
    const ReviewData data = reviewDays(1);
    enginetest::ConstantRandom zero(0);
    ReviewOrder placing(data, zero);
    const Week week = placing.place({{"语文", "王伟", 2}, {"数学", "李强", 2}});
    EXPECT_EQ(cellsOf(week, "王伟"), (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}}));
    // 李强 gets period 7 once the draws have failed 4000 times; its second lesson never finds
    // room, and the bound ends the class as far as it got
    EXPECT_EQ(cellsOf(week, "李强"), (std::vector<std::pair<int, int>>{{0, 7}}));
    EXPECT_EQ(placing.abandonedPlacements(), 1);
}

TEST(ReviewPlacement, ALessonPlacedAfterMoreThan8000FailedDrawsEndsTheClass) {
    // Two days. 王伟 takes day 1 periods 1–2, 张敏 day 1 period 7; 李强's draws point at day 1
    // until draw 8001, which names day 2.
    const ReviewData data = reviewDays(2);
    Script script([](long long draw) { return draw == 4 + 2 * 8000 ? 1 : 0; });
    ReviewOrder order(data, script);
    const Week week = order.place(
        {{"语文", "王伟", 2}, {"物理", "张敏", 1}, {"数学", "李强", 2}, {"英语", "陈军", 2}});
    EXPECT_EQ(cellsOf(week, "王伟"), (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}}));
    EXPECT_EQ(cellsOf(week, "张敏"), (std::vector<std::pair<int, int>>{{0, 7}}));
    EXPECT_EQ(cellsOf(week, "李强"), (std::vector<std::pair<int, int>>{{1, 7}}));
    EXPECT_TRUE(cellsOf(week, "陈军").empty());
    EXPECT_EQ(order.abandonedPlacements(), 0);
}

class ReviewRepair : public ::testing::Test {
protected:
    void put(int cls, int day, int period, const std::string& teacher) {
        m_t.cell(0, cls, day, period) = teacher;
        m_t.cell(0, cls, day, period + 1) = teacher;
    }
    school::ReviewTimetable m_t;
    ReviewData m_data = reviewDays(2);
};

TEST_F(ReviewRepair, MovesAClashingDoublePeriodToACompatibleOne) {
    put(0, 0, 1, "许文");
    put(0, 0, 3, "严华");
    put(0, 0, 5, "周正");
    put(0, 1, 1, "钱进");
    put(0, 1, 3, "王伟"); // 王伟 in both classes on day 2, periods 3–4
    put(0, 1, 5, "吴凡");
    put(1, 1, 3, "王伟");
    enginetest::ConstantRandom zero(0);
    ReviewOrder order(m_data, zero);
    order.repairClashes(m_t, 2);
    // 钱进 and 吴凡 teach class 1 on day 2 already; 许文 on day 1, periods 1–2, fits
    EXPECT_EQ(m_t.cell(0, 0, 0, 1), "王伟");
    EXPECT_EQ(m_t.cell(0, 0, 0, 2), "王伟");
    EXPECT_EQ(m_t.cell(0, 0, 1, 3), "许文");
    EXPECT_EQ(m_t.cell(0, 0, 1, 4), "许文");
    EXPECT_EQ(m_t.cell(0, 1, 1, 3), "王伟");
}

TEST_F(ReviewRepair, LeavesTheClashWhenNothingIsCompatible) {
    put(0, 0, 1, "许文");
    put(0, 1, 3, "王伟");
    for (int day = 0; day < 2; ++day) {
        for (int period : {1, 3, 5}) {
            put(1, day, period, "王伟"); // 王伟 is busy at every other double period
        }
    }
    const school::ReviewTimetable before = m_t;
    enginetest::ConstantRandom zero(0);
    ReviewOrder order(m_data, zero);
    order.repairClashes(m_t, 2);
    EXPECT_TRUE(m_t == before);
}

TEST(ReviewArrangement, ClassesWithFewerThan15ReviewPeriodsGetNoWeek) {
    ReviewData data(2);
    data.addGradecourse("初三", "语文", 6, 3);
    data.addGradecourse("初三", "数学", 6, 3);
    // the last review row decides D; 19 review periods need nine doubles, more than periods
    // 3-6 of four days hold, so some day has a period-1 lesson and the class keeps its week
    // (a week without one is dropped, whatever the seed)
    data.addGradecourse("初三", "英语", 7, 4);
    data.addGradecourse("初二", "物理", 4, 9); // another grade
    for (int c : {1, 2}) {
        const std::string name = school::className(2, c);
        data.addClasscourse(name, "语文", "语文师" + std::to_string(c));
        data.addClasscourse(name, "数学", c == 1 ? "数学师" : "王"); // 2 bytes: no teacher
        data.addClasscourse(name, "英语", "英语师" + std::to_string(c));
    }
    enginetest::ScriptedRandom random(enginetest::testSeed());
    ReviewOrder order(data, random);
    school::ReviewTimetable t;
    t.cell(2, 5, 0, 1) = "旧的";
    order.arrange(t);
    EXPECT_EQ(order.reviewDays(), 4);
    EXPECT_EQ(order.arrangedCount(), 1); // 初三⑵ has 13 review periods with a teacher
    EXPECT_EQ(t.cell(2, 0, 3, 0), "初三⑴");
    EXPECT_EQ(t.cell(2, 0, 4, 0), ""); // named on days 1..D only
    EXPECT_EQ(t.cell(2, 5, 0, 1), ""); // the grade is emptied first
    int chinese = 0;
    for (int d = 0; d < 4; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            chinese += t.cell(2, 0, d, p) == "语文师1" ? 1 : 0;
        }
    }
    EXPECT_EQ(chinese, 6);
}

std::string dump(const school::ReviewTimetable& t) {
    std::ostringstream out;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        for (int d = 0; d < timetable::kReviewDays; ++d) {
            for (int s = 0; s < school::kSlots; ++s) {
                if (!t.cell(3, c, d, s).empty()) {
                    out << c << ' ' << d << ' ' << s << ' ' << t.cell(3, c, d, s) << '\n';
                }
            }
        }
    }
    return out.str();
}

TEST(ReviewArrangement, PinnedRunOnTheDefaultSequence) {
    ReviewData data(3);
    const std::pair<const char*, int> plan[] = {{"语文", 6}, {"数学", 6}, {"英语", 5},
                                                {"物理", 4}, {"化学", 3}, {"历史", 1}};
    for (const auto& [course, periods] : plan) {
        data.addGradecourse("高一", course, periods, 5);
    }
    for (int c = 1; c <= 4; ++c) {
        for (const auto& [course, periods] : plan) {
            // one teacher a course for two neighbouring classes, so the repair has work
            data.addClasscourse(school::className(3, c), course,
                                std::string(course) + "师" + std::to_string((c + 1) / 2));
        }
    }
    std::srand(1); // the sequence of a fresh process
    ReviewOrder order(data);
    school::ReviewTimetable t;
    order.arrange(t);
    const std::string path = std::string(TAVLEN_ENGINE_TEST_DATA) + "/golden_review_sequence.txt";
    if (std::getenv("TAVLEN_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << dump(t);
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(order.arrangedCount(), 4);
    EXPECT_EQ(dump(t), expected.str());
}

} // namespace
