// The placement of one class and the double period traced draw by draw: a scripted sequence of
// values goes in, and the week and the number of values taken must be exactly what the procedure
// gives by hand. Values lie near 2^31 so that the reductions (mod 7, mod 5, ×6 mod 5, ×103 mod 3)
// are exercised on the values the C library really returns.
#include "EngineTestSupport.h"

#include "timetable/AutoOrder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

using namespace enginetest;
using school::SchoolTimetable;
using timetable::AutoOrder;
using timetable::AutoOrderData;
using timetable::Stage;

namespace {

// Hands out the scripted values in order; past the end it answers 0 and counts the overrun.
class QueueRandom final : public timetable::RandomSource {
public:
    explicit QueueRandom(std::vector<int> values) : m_values(std::move(values)) {}
    int next() override {
        if (m_next < m_values.size()) {
            return m_values[m_next++];
        }
        ++m_overrun;
        return 0;
    }
    std::size_t taken() const { return m_next; }
    long long overrun() const { return m_overrun; }

private:
    std::vector<int> m_values;
    std::size_t m_next = 0;
    long long m_overrun = 0;
};

// The largest value in 0..2^31−1 that leaves v modulo m.
int big(int v, int m) {
    return v + m * ((2147483647 - v) / m);
}

struct Script {
    std::vector<int> values;
    // One attempt of a main course while fewer than 1000 attempts failed: p mod 7 (thrown
    // away), d mod 5, then p mod 5. Day 0..4, period 1..5.
    void mainAttempt(int day, int period) {
        values.push_back(big(6, 7));
        values.push_back(big(day, 5));
        values.push_back(big(period - 1, 5));
    }
    // Any other attempt: p mod 7, d mod 5. Day 0..4, period 1..7.
    void attempt(int day, int period) {
        values.push_back(big(period - 1, 7));
        values.push_back(big(day, 5));
    }
    // A day draw of the double period: (r × 6) mod 5 = day.
    void day(int d) { values.push_back(big(d, 5)); }
    // A start draw of the double period: (r × 103) mod 3 = x.
    void start(int x) { values.push_back(big(x, 3)); }
};

AutoOrderData oneClass(const std::vector<Course>& plan,
                       const std::vector<std::pair<int, int>>& unified) {
    AutoOrderData data;
    addClass(data, 0, 1, plan);
    data.cleanUp();
    for (const auto& [day, period] : unified) {
        data.addSamelesson("初一", day, period, "班会");
    }
    return data;
}

// The week of position 0 of grade 0, a line per period: Monday|…|Friday, "-" for empty.
std::vector<std::string> week(const SchoolTimetable& t) {
    std::vector<std::string> lines;
    for (int p = 1; p <= school::kPeriods; ++p) {
        std::string line;
        for (int d = 0; d < school::kDays; ++d) {
            const std::string& cell = t.cell(0, 0, d, p);
            line += (d == 0 ? "" : "|") + (cell.empty() ? std::string("-") : cell);
        }
        lines.push_back(line);
    }
    return lines;
}

struct Outcome {
    std::vector<std::string> week;
    std::size_t taken = 0;
    long long overrun = 0;
    int arranged = 0;
};

Outcome runScript(const AutoOrderData& data, const Script& script, Stage stage) {
    QueueRandom random(script.values);
    AutoOrder engine(data, random);
    engine.arrange(0, SchoolTimetable{}, stage);
    return Outcome{week(engine.result()), random.taken(), random.overrun(), engine.arrangedCount()};
}

} // namespace

TEST(DrawSequence, PlacementTakesThreeDrawsForMainCoursesTwoForOthersAndSkipsCountZero) {
    // 张伟, 李芳, 王静 main courses; 赵敏's count is 0 (no draws); 刘洋 is the fifth entry.
    const AutoOrderData data = oneClass({{"数学", "张伟", 5},
                                         {"英语", "李芳", 5},
                                         {"物理", "王静", 4},
                                         {"化学", "赵敏", 0},
                                         {"体育", "刘洋", 1}},
                                        {{5, 7}});
    Script s;
    s.mainAttempt(0, 1); // 张伟 Monday 1
    s.mainAttempt(0, 3); // rejected: 张伟 is on Monday already
    s.mainAttempt(1, 3);
    s.mainAttempt(2, 2);
    s.mainAttempt(3, 1);
    s.mainAttempt(4, 3);
    s.mainAttempt(0, 2); // 李芳
    s.mainAttempt(1, 3); // rejected: Tuesday 3 is taken
    s.mainAttempt(1, 1);
    s.mainAttempt(2, 3);
    s.mainAttempt(3, 2);
    s.mainAttempt(4, 1);
    s.mainAttempt(0, 3); // 王静
    s.mainAttempt(1, 2);
    s.mainAttempt(2, 1);
    s.mainAttempt(3, 3);
    s.attempt(4, 7); // 刘洋: rejected, Friday 7 is the unified slot
    s.attempt(4, 2);
    const Outcome r = runScript(data, s, Stage::Placement);
    EXPECT_EQ(r.arranged, 1);
    EXPECT_EQ(r.overrun, 0);
    EXPECT_EQ(r.taken, s.values.size());
    const std::vector<std::string> expected = {"张伟|李芳|王静|张伟|李芳",
                                               "李芳|王静|张伟|李芳|刘洋",
                                               "王静|张伟|李芳|王静|张伟",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-"};
    EXPECT_EQ(r.week, expected);
}

TEST(DrawSequence, MainCoursesLeaveFiveEarlyPeriodsAfter1000AndRepeatADayAt6000Attempts) {
    // 张伟 (main, 2 lessons) gets Monday 1; then every attempt aims at Monday 2 and fails
    // until the 6000th; the first 1000 of them take three draws, the rest two. 孙强 (fifth
    // entry, 13 lessons) is moved to the first day without a lesson while there is one.
    const AutoOrderData data = oneClass({{"数学", "张伟", 2},
                                         {"英语", "钱芳", 0},
                                         {"物理", "周静", 0},
                                         {"化学", "吴敏", 0},
                                         {"体育", "孙强", 13}},
                                        {});
    Script s;
    s.mainAttempt(0, 1);
    for (int k = 1; k <= 1000; ++k) {
        s.mainAttempt(0, 2);
    }
    for (int k = 1001; k <= 6000; ++k) {
        s.attempt(0, 2); // Monday 2 again; the 6000th stands
    }
    for (int k = 0; k < 5; ++k) {
        s.attempt(3, k == 0 ? 3 : 1); // the drawn Thursday is replaced: Monday … Friday
    }
    for (int period : {2, 3}) {
        for (int d = 1; d < school::kDays; ++d) {
            s.attempt(d, period);
        }
    }
    const Outcome r = runScript(data, s, Stage::Placement);
    EXPECT_EQ(r.overrun, 0);
    EXPECT_EQ(r.taken, s.values.size());
    const std::vector<std::string> expected = {"张伟|孙强|孙强|孙强|孙强",
                                               "张伟|孙强|孙强|孙强|孙强",
                                               "孙强|孙强|孙强|孙强|孙强",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-"};
    EXPECT_EQ(r.week, expected);
}

namespace {

// 语文 张伟 ×2, 数学 李芳 ×5, 英语 王静 ×5, 物理 赵敏 ×3: fifteen lessons in periods 1-3
// (and one in Monday period 4 or 5), Chinese on Monday 2 and Tuesday 1.
AutoOrderData chineseClass(const std::vector<std::pair<int, int>>& unified) {
    return oneClass(
        {{"语文", "张伟", 2}, {"数学", "李芳", 5}, {"英语", "王静", 5}, {"物理", "赵敏", 3}},
        unified);
}

Script chinesePlacement(int mondayEnglishPeriod) {
    Script s;
    s.mainAttempt(0, 2);
    s.mainAttempt(1, 1);
    s.mainAttempt(0, 3);
    s.mainAttempt(1, 2);
    for (int d = 2; d < 5; ++d) {
        s.mainAttempt(d, 1);
    }
    s.mainAttempt(0, mondayEnglishPeriod);
    s.mainAttempt(1, 3);
    for (int d = 2; d < 5; ++d) {
        s.mainAttempt(d, 2);
    }
    for (int d = 2; d < 5; ++d) {
        s.mainAttempt(d, 3);
    }
    return s;
}

} // namespace

TEST(DrawSequence, DoublePeriodSkipsTheExchangeWhenTheFirstFreePeriodIsUnified) {
    // Monday 1 is unified. Day draws: Monday, then Monday again (drawn anew) and Tuesday.
    // Tuesday 1 holds Chinese; the first period of Monday without Chinese is the unified
    // slot, so nothing is brought over, no day has two lessons and nothing more is drawn.
    const AutoOrderData data = chineseClass({{1, 1}});
    Script s = chinesePlacement(4);
    const std::vector<std::string> placed = {"-|张伟|李芳|李芳|李芳",
                                             "张伟|李芳|王静|王静|王静",
                                             "李芳|王静|赵敏|赵敏|赵敏",
                                             "王静|-|-|-|-",
                                             "-|-|-|-|-",
                                             "-|-|-|-|-",
                                             "-|-|-|-|-"};
    EXPECT_EQ(runScript(data, s, Stage::Placement).week, placed);
    s.day(0);
    s.day(0);
    s.day(1);
    const Outcome r = runScript(data, s, Stage::DoublePeriod);
    EXPECT_EQ(r.overrun, 0);
    EXPECT_EQ(r.taken, s.values.size());
    EXPECT_EQ(r.week, placed);
}

TEST(DrawSequence, DoublePeriodBringsALessonOverAndMovesThePairToTheDrawnStart) {
    // Friday 7 is unified. The early pass brings 王静 from Monday 4 to Monday 1; bringing a
    // second Chinese lesson to one day swaps it with Tuesday's Chinese lesson; Monday
    // (Chinese in 1 and 2) draws x = 1, which becomes 5 since no unified slot lies on
    // Monday; the pair moves to 5-6.
    const AutoOrderData data = chineseClass({{5, 7}});
    Script s = chinesePlacement(4);
    s.day(0);
    s.day(0);
    s.day(1);
    s.start(1);
    const Outcome r = runScript(data, s, Stage::DoublePeriod);
    EXPECT_EQ(r.overrun, 0);
    EXPECT_EQ(r.taken, s.values.size());
    const std::vector<std::string> expected = {"-|王静|李芳|李芳|李芳",
                                               "-|李芳|王静|王静|王静",
                                               "李芳|王静|赵敏|赵敏|赵敏",
                                               "-|-|-|-|-",
                                               "张伟|-|-|-|-",
                                               "张伟|-|-|-|-",
                                               "-|-|-|-|-"};
    EXPECT_EQ(r.week, expected);
}

TEST(DrawSequence, DoublePeriodStartRedrawsOneAndTwoOnAUnifiedDayAndSkipsTheUnifiedSlot) {
    // Monday 4 is unified (an early one, on the double-period day): x = 2 and x = 1 stay
    // and are drawn again, x = 0 gives 3. The pair 1-2 goes to 3-4: period 1 changes with
    // period 3, and the change of period 2 with the unified period 4 is skipped.
    const AutoOrderData data = chineseClass({{1, 4}});
    Script s = chinesePlacement(5);
    s.day(0);
    s.day(0);
    s.day(1);
    s.start(2);
    s.start(1);
    s.start(0);
    const Outcome r = runScript(data, s, Stage::DoublePeriod);
    EXPECT_EQ(r.overrun, 0);
    EXPECT_EQ(r.taken, s.values.size());
    const std::vector<std::string> expected = {"李芳|王静|李芳|李芳|李芳",
                                               "张伟|李芳|王静|王静|王静",
                                               "张伟|王静|赵敏|赵敏|赵敏",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-",
                                               "-|-|-|-|-"};
    EXPECT_EQ(r.week, expected);
}
