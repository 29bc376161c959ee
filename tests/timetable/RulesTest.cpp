// The five rules, the repair of one cell by an exchange within its class, and the course-view
// normalisation, on hand-made timetables, for both boards.
#include "EngineTestSupport.h"

#include "timetable/ArrangeEngine.h"
#include "timetable/Boards.h"

#include <gtest/gtest.h>

using namespace enginetest;
using school::SchoolTimetable;
using timetable::AutoOrderData;

namespace {

// Grade 0 class ⑴ and ⑵, grade 1 class ⑵ named, nothing else.
SchoolTimetable namedSchool() {
    SchoolTimetable t;
    for (int d = 0; d < school::kDays; ++d) {
        t.cell(0, 0, d, 0) = "初一⑴";
        t.cell(0, 1, d, 0) = "初一⑵";
        t.cell(1, 0, d, 0) = "初二⑵";
    }
    return t;
}

AutoOrderData twoClassData(int wangLoad1, int wangLoad2) {
    AutoOrderData data;
    addClass(data, 0, 1,
             {{"语文", "王伟", wangLoad1},
              {"数学", "李强", 5},
              {"英语", "张敏", 5},
              {"物理", "刘静", 4},
              {"体育", "陈军", 2}});
    addClass(data, 0, 2, {{"语文", "王伟", wangLoad2}, {"数学", "赵丽", 5}});
    addClass(data, 1, 2, {{"数学", "李强", 5}, {"体育", "吴涛", 2}});
    data.cleanUp();
    return data;
}

template <class Board> class Rules : public ::testing::Test {
protected:
    timetable::RuleVerdicts verdicts(const AutoOrderData& data, const SchoolTimetable& t, int pos,
                                     int d, int p) {
        ScriptedRandom random(1);
        timetable::ArrangeEngine<Board> engine(data, random);
        engine.loadArranged(0, t);
        return engine.verdicts(pos, d, p);
    }
};

using BoardTypes = ::testing::Types<timetable::FastBoard, timetable::PlainBoard>;
TYPED_TEST_SUITE(Rules, BoardTypes);

} // namespace

TYPED_TEST(Rules, DayLoadAllowsFiveLessonsFromTwentyWeeklyAndFourBelow) {
    SchoolTimetable t = namedSchool();
    for (int p = 3; p <= 5; ++p) {
        t.cell(0, 0, 1, p) = "王伟";
    }
    t.cell(0, 1, 1, 1) = "王伟";
    t.cell(0, 1, 1, 7) = "王伟"; // five on Tuesday, across two classes
    EXPECT_FALSE(this->verdicts(twoClassData(10, 10), t, 0, 1, 3).dayLoad); // weekly 20
    EXPECT_TRUE(this->verdicts(twoClassData(10, 9), t, 0, 1, 3).dayLoad);   // weekly 19
    t.cell(0, 1, 1, 7).clear();
    EXPECT_FALSE(this->verdicts(twoClassData(10, 9), t, 0, 1, 3).dayLoad);
    t.cell(1, 0, 1, 6) = "王伟"; // lessons in other grades count too
    EXPECT_TRUE(this->verdicts(twoClassData(10, 9), t, 0, 1, 3).dayLoad);
    t.cell(0, 1, 1, 6) = "王伟";
    EXPECT_TRUE(this->verdicts(twoClassData(10, 10), t, 0, 1, 3).dayLoad); // six
}

TYPED_TEST(Rules, SpreadAllowsOneMoreThanAnyOtherDay) {
    SchoolTimetable t = namedSchool();
    const auto data = twoClassData(6, 6);
    t.cell(0, 0, 0, 3) = "李强";
    t.cell(0, 0, 0, 4) = "李强";
    for (int d = 1; d < 4; ++d) {
        t.cell(0, 0, d, 3) = "李强";
    }
    EXPECT_TRUE(this->verdicts(data, t, 0, 0, 3).spread); // Friday has none
    t.cell(0, 0, 4, 3) = "李强";
    EXPECT_FALSE(this->verdicts(data, t, 0, 0, 3).spread);
    EXPECT_FALSE(this->verdicts(data, t, 0, 0, 6).spread); // an empty cell never
}

TYPED_TEST(Rules, ClashWithAnyClassOfAnyGradeInTheSamePeriod) {
    SchoolTimetable t = namedSchool();
    const auto data = twoClassData(6, 6);
    t.cell(0, 0, 2, 3) = "李强";
    t.cell(1, 0, 2, 4) = "李强";
    EXPECT_FALSE(this->verdicts(data, t, 0, 2, 3).clash);
    t.cell(1, 0, 2, 3) = "李强"; // 初二⑵ in the same period
    EXPECT_TRUE(this->verdicts(data, t, 0, 2, 3).clash);
    t.cell(0, 0, 2, 5).clear();
    t.cell(0, 1, 2, 5).clear();
    EXPECT_FALSE(this->verdicts(data, t, 0, 2, 5).clash); // empty cells never clash
}

TYPED_TEST(Rules, MainCourseFirstInPeriodsOneAndTwo) {
    SchoolTimetable t = namedSchool();
    const auto data = twoClassData(6, 6);
    t.cell(0, 0, 0, 1) = "刘静"; // entry 4: a main course
    t.cell(0, 0, 0, 2) = "陈军"; // entry 5
    t.cell(0, 0, 0, 3) = "陈军";
    t.cell(0, 0, 1, 2) = "孙红"; // in no entry of the class
    EXPECT_FALSE(this->verdicts(data, t, 0, 0, 1).mainFirst);
    EXPECT_TRUE(this->verdicts(data, t, 0, 0, 2).mainFirst);
    EXPECT_FALSE(this->verdicts(data, t, 0, 0, 3).mainFirst); // period 3 is not tested
    EXPECT_TRUE(this->verdicts(data, t, 0, 1, 2).mainFirst);
    EXPECT_TRUE(this->verdicts(data, t, 0, 1, 1).mainFirst); // empty
}

TYPED_TEST(Rules, PresetMaskBlocksItsPeriodsFromThirtyCharacters) {
    SchoolTimetable t = namedSchool();
    AutoOrderData data = twoClassData(6, 6);
    data.addPreset("李强", "1" + std::string(28, '0') + "1"); // 30 characters
    data.addPreset("李强", std::string(35, '0'));             // a later row never counts
    data.addPreset("张敏", std::string(29, '1'));             // too short: no effect
    t.cell(0, 0, 0, 1) = "李强";
    t.cell(0, 0, 0, 2) = "张敏";
    t.cell(0, 0, 4, 2) = "李强"; // index 29 = Friday period 2
    t.cell(0, 0, 1, 1) = "李强";
    EXPECT_TRUE(this->verdicts(data, t, 0, 0, 1).preset);
    EXPECT_FALSE(this->verdicts(data, t, 0, 0, 2).preset);
    EXPECT_TRUE(this->verdicts(data, t, 0, 4, 2).preset);
    EXPECT_FALSE(this->verdicts(data, t, 0, 1, 1).preset);
}

TYPED_TEST(Rules, RepairFillsAnEmptyEarlyPeriodEvenAgainstAPreset) {
    SchoolTimetable t = namedSchool();
    AutoOrderData data = twoClassData(6, 6);
    data.addPreset("李强", "1" + std::string(34, '0'));
    t.cell(0, 0, 0, 3) = "李强";
    ScriptedRandom random(1);
    timetable::ArrangeEngine<TypeParam> engine(data, random);
    engine.loadArranged(0, t);
    EXPECT_TRUE(engine.repairCell(0, 0, 1));
    const SchoolTimetable after = engine.result();
    EXPECT_EQ(after.cell(0, 0, 0, 1), "李强");
    EXPECT_TRUE(after.cell(0, 0, 0, 3).empty());
    EXPECT_TRUE(engine.verdicts(0, 0, 1).preset); // stands although the preset blocks it

    // A filled period 1 is not exchanged into a blocked period.
    t.cell(0, 0, 0, 1) = "陈军";
    timetable::ArrangeEngine<TypeParam> second(data, random);
    second.loadArranged(0, t);
    second.repairCell(0, 0, 1);
    EXPECT_NE(second.result().cell(0, 0, 0, 1), "李强");
}

TYPED_TEST(Rules, CourseViewGradeComesBackInTeacherNames) {
    SchoolTimetable t = namedSchool();
    AutoOrderData data = twoClassData(6, 6);
    data.addCourseshare("体育", 3);
    t.cell(1, 0, 0, 1) = "体育"; // first class of 初二 holds a resource name: course view
    t.cell(1, 0, 3, 5) = "数学";
    t.cell(1, 0, 3, 6) = "化学"; // not in the class's list: stays
    t.cell(0, 0, 0, 3) = "李强";
    ScriptedRandom random(1);
    timetable::ArrangeEngine<TypeParam> engine(data, random);
    engine.loadArranged(0, t);
    EXPECT_TRUE(engine.verdicts(0, 0, 3).clash == false);
    const SchoolTimetable after = engine.result();
    EXPECT_EQ(after.cell(1, 0, 0, 1), "吴涛");
    EXPECT_EQ(after.cell(1, 0, 3, 5), "李强");
    EXPECT_EQ(after.cell(1, 0, 3, 6), "化学");

    // Without a resource name in that first cell the grade is left alone.
    t.cell(1, 0, 0, 1) = "数学";
    timetable::ArrangeEngine<TypeParam> second(data, random);
    second.loadArranged(0, t);
    second.verdicts(0, 0, 3);
    EXPECT_EQ(second.result().cell(1, 0, 3, 5), "数学");
}

TEST(ScaledDraw, ProductsAreTakenInSixtyFourBits) {
    const int top = 2147483647; // RAND_MAX here
    EXPECT_EQ(timetable::scaledValue(top, 6, 5), 2);
    EXPECT_EQ(timetable::scaledValue(top, 103, 3), 1);
    EXPECT_EQ(timetable::scaledValue(top, 300, 35), 20);
    EXPECT_EQ(timetable::scaledValue(1000000000, 300, 35), 15);
}
