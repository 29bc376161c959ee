// Where a picked lesson can go: every target's shade on small random schools against an
// independent check (the exchange applied to a copy, the whole grade reviewed before and
// after by the rule checker), then the reasons shown for each kind of problem, locks and
// the double period moved as a pair.
#include "arrange/ExchangeCheck.h"

#include "core/SchoolNames.h"
#include "timetable/ArrangeReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using arrange::ExchangeCheck;
using arrange::GridPlace;
using arrange::Shade;

std::string key(const std::vector<std::string>& parts) {
    std::string k;
    for (const std::string& p : parts) {
        k += p + "|";
    }
    return k;
}

// Every problem of the grade the rule checker finds, hard ones and periods 1-2 apart.
struct Problems {
    std::set<std::string> hard;
    std::set<std::string> early;
};

Problems reviewAll(const timetable::AutoOrderData& data, int grade,
                   const school::SchoolTimetable& held) {
    const timetable::GradeReview review = timetable::reviewGrade(data, grade, held);
    Problems all;
    const auto n = [](int i) { return std::to_string(i); };
    for (const auto& c : review.clashes) {
        all.hard.insert(key({"clash", n(c.day), n(c.period), c.teacher}));
    }
    for (const auto& o : review.overloads) {
        all.hard.insert(key({"day", o.teacher, n(o.day)}));
    }
    for (const auto& i : review.presets) {
        all.hard.insert(key({"preset", i.className, n(i.day), n(i.period), i.text}));
    }
    for (const auto& i : review.unifiedFilled) {
        all.hard.insert(key({"unified", i.className, n(i.day), n(i.period), i.text}));
    }
    for (const auto& o : review.resourceOverruns) {
        all.hard.insert(key({"resource", o.course, n(o.limit), n(o.day), n(o.period)}));
    }
    const school::SchoolTimetable teachers = timetable::inTeacherNames(data, held);
    for (int c = 0; c < school::kMaxClasses; ++c) {
        if (timetable::missesChineseDouble(timetable::courseListAt(data, held, grade, c), teachers,
                                           grade, c)) {
            all.hard.insert(key({"double", n(c)}));
        }
    }
    for (const auto& i : review.mainCourseFirst) {
        all.early.insert(key({"main", i.className, n(i.day), n(i.period)}));
    }
    return all;
}

Shade expectedShade(const timetable::AutoOrderData& data, int grade,
                    const school::SchoolTimetable& held, const Problems& before,
                    const std::vector<ExchangeCheck::Exchange>& moves) {
    school::SchoolTimetable after = held;
    for (const auto& [a, b] : moves) {
        std::swap(after.cell(grade, a.position, a.day, a.period),
                  after.cell(grade, b.position, b.day, b.period));
    }
    const Problems now = reviewAll(data, grade, after);
    const auto anyNew = [](const std::set<std::string>& was, const std::set<std::string>& is) {
        return std::any_of(is.begin(), is.end(), [&](const auto& k) { return !was.count(k); });
    };
    if (anyNew(before.hard, now.hard)) {
        return Shade::Red;
    }
    return anyNew(before.early, now.early) ? Shade::Yellow : Shade::Green;
}

// A small school: four classes of 初一 and two of 初二 sharing an English teacher, a limited
// 体育 resource, a preset and a unified slot; each class's lessons dropped on random cells.
struct SmallSchool {
    timetable::AutoOrderData data;
    school::SchoolTimetable held;

    explicit SmallSchool(unsigned seed) {
        data.addCourseshare("体育", 1);
        data.addPreset("物理师1", std::string(7, '1') + std::string(28, '0'));
        data.addSamelesson("初一", 5, 7, "班会");
        std::mt19937 random(seed);
        const std::vector<std::pair<int, int>> classes = {{0, 1}, {0, 2}, {0, 3},
                                                          {0, 4}, {1, 1}, {1, 2}};
        for (const auto& [g, c] : classes) {
            const std::string name = school::className(g, c);
            const std::string n = std::to_string(c);
            const std::vector<timetable::CourseEntry> entries = {
                {"语文", "语文师" + std::to_string(g) + n, 6}, {"数学", "数学师" + n, 5},
                {"英语", c <= 3 ? "英语师" : "英语师" + n, 4}, {"物理", "物理师" + n, 3},
                {"体育", "体育师" + std::to_string(g) + n, 2}, {"历史", "历史师", 3},
            };
            std::vector<std::string> lessons;
            for (const auto& e : entries) {
                data.addClasscourse(name, e.course, e.teacher, e.weekly);
                lessons.insert(lessons.end(), static_cast<std::size_t>(e.weekly), e.teacher);
            }
            std::vector<int> cells(35);
            for (int i = 0; i < 35; ++i) {
                cells[static_cast<std::size_t>(i)] = i;
            }
            std::shuffle(cells.begin(), cells.end(), random);
            for (int d = 0; d < school::kDays; ++d) {
                held.cell(g, c - 1, d, 0) = name;
            }
            std::size_t next = 0;
            for (const int cell : cells) {
                const int d = cell / 7;
                const int p = cell % 7 + 1;
                if (g == 0 && d == 4 && p == 7) {
                    held.cell(g, c - 1, d, p) = timetable::kUnifiedBlank;
                } else if (next < lessons.size()) {
                    held.cell(g, c - 1, d, p) = lessons[next++];
                }
            }
        }
    }
};

bool noLocks(const GridPlace&) {
    return false;
}

TEST(ExchangeCheckTest, EveryTargetAgreesWithReviewingTheWholeGradeOnACopy) {
    const auto seed = static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed());
    int compared = 0;
    std::set<Shade> seen;
    for (unsigned round = 0; round < 2; ++round) {
        SmallSchool school(seed + round);
        ExchangeCheck check(school.data, school.held, 0);
        const Problems before = reviewAll(school.data, 0, school.held);
        // a single lesson and a pair, in two classes
        for (const GridPlace& pick : {GridPlace{0, 1, 2}, GridPlace{2, 3, 5}}) {
            for (const std::vector<GridPlace>& picked :
                 {std::vector<GridPlace>{pick},
                  std::vector<GridPlace>{pick, {pick.position, pick.day, pick.period + 1}}}) {
                const ExchangeCheck::Week week = check.shadeWeek(picked, noLocks);
                for (int d = 0; d < school::kDays; ++d) {
                    for (int p = 1; p <= school::kPeriods; ++p) {
                        const GridPlace target{pick.position, d, p};
                        const auto moves = ExchangeCheck::movesTo(picked, target);
                        if (moves.empty()) {
                            continue;
                        }
                        const auto& verdict =
                            week[static_cast<std::size_t>(d)][static_cast<std::size_t>(p)];
                        EXPECT_EQ(verdict.shade,
                                  expectedShade(school.data, 0, school.held, before, moves))
                            << "seed " << seed + round << " pick " << pick.day << "/" << pick.period
                            << " ×" << picked.size() << " target " << d << "/" << p << ": "
                            << verdict.reason();
                        seen.insert(verdict.shade);
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 200);
    EXPECT_EQ(seen.size(), 3u) << "the random schools should show all three shades";
}

// One class whose week is written out, for the reasons of each shade.
class ExchangeReasonTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int c : {0, 1}) {
            for (int d = 0; d < school::kDays; ++d) {
                held.cell(0, c, d, 0) = school::className(0, c + 1);
            }
        }
        for (int d = 0; d < school::kDays; ++d) {
            held.cell(1, 3, d, 0) = school::className(1, 4);
        }
        data.addClasscourse("初一⑴", "语文", "语文师", 6);
        data.addClasscourse("初一⑴", "数学", "张伟", 5);
        data.addClasscourse("初一⑴", "英语", "英语师", 4);
        data.addClasscourse("初一⑴", "物理", "物理师", 3);
        data.addClasscourse("初一⑴", "美术", "美术师", 2);
        data.addClasscourse("初一⑴", "体育", "体育师", 2);
        data.addClasscourse("初二⑷", "数学", "张伟", 5);
        data.addClasscourse("初一⑵", "体育", "体育师二", 2);
        data.addCourseshare("体育", 1);
        data.addPreset("物理师", std::string(7, '0') + "1" + std::string(27, '0'));
        // Monday: 数学 语文 语文 英语 美术; 初二⑷ has 张伟 on Tuesday period 3
        held.cell(0, 0, 0, 1) = "张伟";
        held.cell(0, 0, 0, 2) = "英语师";
        held.cell(0, 0, 0, 3) = "语文师";
        held.cell(0, 0, 0, 4) = "语文师";
        held.cell(0, 0, 0, 5) = "美术师";
        held.cell(0, 0, 0, 6) = "物理师";
        held.cell(0, 0, 0, 7) = "体育师";
        held.cell(1, 3, 1, 3) = "张伟";
        held.cell(0, 1, 2, 7) = "体育师二";
    }
    ExchangeCheck::Week shade(const std::vector<GridPlace>& picked,
                              const std::function<bool(const GridPlace&)>& locked = noLocks) {
        ExchangeCheck check(data, held, 0);
        return check.shadeWeek(picked, locked);
    }
    timetable::AutoOrderData data;
    school::SchoolTimetable held;
};

TEST_F(ExchangeReasonTest, EachProblemKindShowsItsReason) {
    // 张伟 (Monday period 1)
    const ExchangeCheck::Week zhang = shade({{0, 0, 1}});
    EXPECT_EQ(zhang[1][3].shade, Shade::Red);
    EXPECT_EQ(zhang[1][3].reason(), "张伟 第三节已在初二⑷上课\n星期一第一节没有主课");
    EXPECT_EQ(zhang[1][4].shade, Shade::Yellow); // an empty cell comes to period 1
    EXPECT_EQ(zhang[1][4].reason(), "星期一第一节没有主课");
    EXPECT_EQ(zhang[0][2].shade, Shade::Green); // with 英语, a main course too
    EXPECT_EQ(zhang[0][3].shade, Shade::Red);   // 语文 out of its double
    EXPECT_NE(zhang[0][3].reason().find("语文连堂被拆开"), std::string::npos);
    EXPECT_EQ(zhang[0][0].shade, Shade::None);

    // 物理师 (Monday period 6): Tuesday period 1 is blocked by the preset
    const ExchangeCheck::Week physics = shade({{0, 0, 6}});
    EXPECT_EQ(physics[1][1].shade, Shade::Red);
    EXPECT_EQ(physics[1][1].reason(), "物理师预设此时不排课");
    EXPECT_EQ(physics[1][6].shade, Shade::Green);

    // 体育 (Monday period 7): Wednesday period 7 is the only place of the one court in use
    const ExchangeCheck::Week sport = shade({{0, 0, 7}});
    EXPECT_EQ(sport[2][7].shade, Shade::Red);
    EXPECT_EQ(sport[2][7].reason(), "星期三体育第七节共2个班上课，上限1个班");

    // a locked target, and a locked pick
    const auto lockedAt = [](GridPlace at) { return [at](const GridPlace& p) { return p == at; }; };
    const ExchangeCheck::Week locked = shade({{0, 0, 6}}, lockedAt({0, 3, 3}));
    EXPECT_EQ(locked[3][3].shade, Shade::Red);
    EXPECT_EQ(locked[3][3].reason(), ExchangeCheck::kLocked);
    EXPECT_EQ(locked[3][4].shade, Shade::Green);
    const ExchangeCheck::Week pickedLocked = shade({{0, 0, 6}}, lockedAt({0, 0, 6}));
    EXPECT_EQ(pickedLocked[3][4].shade, Shade::Red);
}

TEST_F(ExchangeReasonTest, AnOverloadedDayAndTheDoubleMovedAsAPair) {
    // 张伟 gives five lessons in the school (limit 4): Tuesday already holds four of them
    for (int p = 4; p <= 7; ++p) {
        held.cell(1, 3, 1, p) = "张伟";
    }
    held.cell(1, 3, 1, 3).clear();
    const ExchangeCheck::Week zhang = shade({{0, 0, 1}});
    EXPECT_EQ(zhang[1][1].shade, Shade::Red);
    EXPECT_NE(zhang[1][1].reason().find("张伟星期二共5节，超过每日4节"), std::string::npos)
        << zhang[1][1].reason();

    // the double as a pair: Wednesday 5-6 keeps it whole; period 7 cannot start it
    const ExchangeCheck::Week pair = shade({{0, 0, 3}, {0, 0, 4}});
    EXPECT_EQ(pair[2][5].shade, Shade::Green) << pair[2][5].reason();
    EXPECT_EQ(pair[2][7].shade, Shade::Red);
    EXPECT_EQ(pair[2][7].reason(), "连堂放不下");
    EXPECT_EQ(pair[0][4].shade, Shade::None);
    const auto moves = ExchangeCheck::movesTo({{0, 0, 3}, {0, 0, 4}}, {0, 2, 5});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1].second, (GridPlace{0, 2, 6}));
}

} // namespace
