// Emptying the grade and placing its classes: which classes get a week, where they stand,
// and what their week holds.
#include "EngineTestSupport.h"

#include "core/Gbk.h"
#include "timetable/AutoOrder.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace enginetest;
using school::SchoolTimetable;
using timetable::AutoOrder;
using timetable::AutoOrderData;

namespace {

AutoOrderData dataWith(const std::vector<std::vector<Course>>& classes, int unifiedSlots = 0) {
    AutoOrderData data;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        addClass(data, 0, static_cast<int>(c) + 1, classes[c]);
    }
    data.cleanUp();
    for (int k = 0; k < unifiedSlots; ++k) {
        data.addSamelesson("初一", 5, k + 1, "班会");
    }
    return data;
}

struct Outcome {
    SchoolTimetable result;
    int arranged = 0;
    int abandoned = 0;
};

Outcome arrangeGrade0(const AutoOrderData& data, unsigned seed,
                      const SchoolTimetable& source = SchoolTimetable{}) {
    ScriptedRandom random(seed);
    AutoOrder engine(data, random);
    engine.arrange(0, source);
    return {engine.result(), engine.arrangedCount(), engine.abandonedPlacements()};
}

} // namespace

TEST(Placement, WeeklyTotalsOutsideFifteenToThirtyFiveGetNoTimetable) {
    struct Case {
        int lessons;
        int unified;
        bool arranged;
    };
    const Case cases[] = {{14, 0, false}, {15, 0, true},  {35, 0, true}, {36, 0, false},
                          {13, 2, true},  {12, 2, false}, {33, 2, true}, {34, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lessons) + " lessons, " + std::to_string(c.unified) +
                     " unified slots");
        const Outcome run =
            arrangeGrade0(dataWith({planWithTotal(c.lessons, 0, 1)}, c.unified), testSeed());
        EXPECT_EQ(run.arranged, c.arranged ? 1 : 0);
        EXPECT_EQ(namedClasses(run.result, 0), c.arranged ? 1 : 0);
        if (c.arranged) {
            EXPECT_EQ(run.result.cell(0, 0, 0, 0), "初一⑴");
            EXPECT_EQ(lessonsOf(run.result, 0, 0),
                      plannedLessons(dataWith({planWithTotal(c.lessons, 0, 1)}).classList(0, 0)));
        }
    }
}

TEST(Placement, TwoCharacterTeacherNamesAreCountedAndPlaced) {
    // Every teacher of these plans has a two-character name (4 GBK bytes).
    const auto plan = planWithTotal(30, 0, 1);
    for (const Course& c : plan) {
        ASSERT_EQ(gbk::width(c.teacher), 4u);
    }
    const Outcome run = arrangeGrade0(dataWith({plan}), testSeed());
    ASSERT_EQ(run.arranged, 1);
    EXPECT_EQ(lessonsOf(run.result, 0, 0), plannedLessons(dataWith({plan}).classList(0, 0)));

    // 36 lessons, ten of them with two-character teachers: over the limit, no timetable
    // (counting only longer names would see 26 and overfill the week).
    std::vector<Course> mixed = {{"语文", "欧阳明华", 6}, {"数学", "司马光明", 5},
                                 {"英语", "诸葛亮亮", 5}, {"物理", "上官婉儿", 4},
                                 {"化学", "王伟", 5},     {"政治", "李强", 5},
                                 {"历史", "端木子期", 3}, {"地理", "公孙大娘", 3}};
    const Outcome over = arrangeGrade0(dataWith({mixed}), testSeed());
    EXPECT_EQ(over.arranged, 0);
}

TEST(Placement, EntriesWithoutTeacherPlaceNothingAndDoNotCount) {
    auto plan = planWithTotal(28, 0, 1);
    plan.push_back({"信息", "", 3});
    plan.push_back({"劳技", "        ", 2}); // removed teacher: eight spaces
    const Outcome run = arrangeGrade0(dataWith({plan}), testSeed());
    ASSERT_EQ(run.arranged, 1);
    const auto lessons = lessonsOf(run.result, 0, 0);
    int placed = 0;
    for (const auto& [teacher, n] : lessons) {
        placed += n;
    }
    EXPECT_EQ(placed, 28);
    EXPECT_EQ(lessons, plannedLessons(dataWith({plan}).classList(0, 0)));
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            const std::string& text = run.result.cell(0, 0, d, p);
            EXPECT_TRUE(text.empty() || timetable::namesTeacher(text)) << "'" << text << "'";
        }
    }
    // 14 lessons with teachers and 5 without: the total is 14, no timetable.
    auto short_ = planWithTotal(14, 0, 1);
    short_.push_back({"信息", "", 5});
    EXPECT_EQ(arrangeGrade0(dataWith({short_}), testSeed()).arranged, 0);
}

TEST(Placement, DroppedClassesCloseUpAndKeepTheirOwnNamesAndLessons) {
    const AutoOrderData data =
        dataWith({planWithTotal(30, 0, 1), planWithTotal(14, 0, 2), planWithTotal(29, 0, 3)});
    const Outcome run = arrangeGrade0(data, testSeed());
    ASSERT_EQ(run.arranged, 2);
    for (int d = 0; d < school::kDays; ++d) {
        EXPECT_EQ(run.result.cell(0, 0, d, 0), "初一⑴");
        EXPECT_EQ(run.result.cell(0, 1, d, 0), "初一⑶");
        EXPECT_EQ(run.result.cell(0, 2, d, 0), "");
    }
    EXPECT_EQ(lessonsOf(run.result, 0, 1), plannedLessons(data.classList(0, 2)));
    EXPECT_TRUE(lessonsOf(run.result, 0, 2).empty());
}

TEST(Placement, EmptyGradeComesBackEmptyAndOtherGradesUnchanged) {
    std::mt19937 rng(testSeed());
    School s = makeSchool(rng, {});
    // grade 2 has no class course rows in this data
    AutoOrderData withoutGrade;
    for (int g = 0; g < school::kGrades; ++g) {
        if (g != 2) {
            withoutGrade.classes[static_cast<std::size_t>(g)] =
                s.data.classes[static_cast<std::size_t>(g)];
        }
    }
    withoutGrade.cleanUp();
    ASSERT_GT(namedClasses(s.timetable, 2), 0);
    ScriptedRandom random(testSeed());
    AutoOrder engine(withoutGrade, random);
    engine.arrange(2, s.timetable);
    EXPECT_EQ(engine.arrangedCount(), 0);
    SchoolTimetable expected = s.timetable;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        expected.week(2, c) = {};
    }
    EXPECT_TRUE(engine.result() == expected);
}

TEST(Placement, UnsatisfiablePlansEndInBoundedTimeKeepingWhatWasPlaced) {
    // One teacher in two entries of 6: the seventh lesson of the week can never be placed.
    std::vector<Course> plan = {{"语文", "王伟", 6}, {"数学", "李强", 5}, {"英语", "张敏", 5},
                                {"物理", "刘静", 4}, {"写作", "王伟", 6}, {"体育", "陈军", 2}};
    const auto start = std::chrono::steady_clock::now();
    const Outcome run = arrangeGrade0(dataWith({plan, plan}), testSeed());
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    EXPECT_LT(seconds.count(), 20.0);
    EXPECT_EQ(run.abandoned, 2);
    ASSERT_EQ(run.arranged, 2); // period 1 got lessons before the cut
    const auto lessons = lessonsOf(run.result, 0, 0);
    EXPECT_EQ(lessons.at("李强"), 5);
    EXPECT_GE(lessons.at("王伟"), 6);
    EXPECT_LT(lessons.at("王伟"), 12);
    EXPECT_EQ(lessons.count("陈军"), 0u); // entries after the stuck one are not reached
}

TEST(Placement, ConstantRandomSourceStillEnds) {
    timetable::AutoOrderData data = dataWith({planWithTotal(30, 0, 1)}, 1);
    ConstantRandom random(0);
    AutoOrder engine(data, random);
    engine.arrange(0, SchoolTimetable{});
    EXPECT_EQ(engine.abandonedPlacements(), 1);
    EXPECT_LE(engine.passes(), 10);
}
