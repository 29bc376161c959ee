// The forms a workbook writes names, days and periods in, read into the stored forms.
#include "exchange/ImportNames.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace exchange;

TEST(ImportNames, ClassForms) {
    struct Case {
        const char* text;
        std::optional<school::ClassId> id;
    };
    const std::vector<Case> cases = {
        {"初一⑴", school::ClassId{0, 1}},
        {"初一1班", school::ClassId{0, 1}},
        {"高三(12)", school::ClassId{5, 12}},
        {"初二（20）", school::ClassId{1, 20}},
        {" 高一3班 ", school::ClassId{3, 3}},
        {"初一21班", std::nullopt},
        {"初一0班", std::nullopt},
        {"初一(-1)", std::nullopt},
        {"初一()", std::nullopt},
        {"初一班", std::nullopt},
        {"初四1班", std::nullopt},
        {"初一(1", std::nullopt},
        {"", std::nullopt},
        {"1班", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(classOf(c.text), c.id) << c.text;
    }
}

TEST(ImportNames, GradesDaysAndNumbers) {
    EXPECT_EQ(gradeOf("高二"), 4);
    EXPECT_EQ(gradeOf("3"), 2);
    EXPECT_EQ(gradeOf("7"), std::nullopt);
    EXPECT_EQ(gradeOf("初"), std::nullopt);
    EXPECT_EQ(dayOf("星期三"), 3);
    EXPECT_EQ(dayOf("周五"), 5);
    EXPECT_EQ(dayOf("1"), 1);
    EXPECT_EQ(dayOf("星期六"), std::nullopt);
    EXPECT_EQ(dayOf("6"), std::nullopt);
    EXPECT_EQ(wholeNumber("30"), 30);
    EXPECT_EQ(wholeNumber("-2"), -2);
    for (const char* bad : {"", "+3", "2.5", "5 ", "x", "99999999999"}) {
        EXPECT_EQ(wholeNumber(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(trimmed("\u3000 张明\t"), "张明");
}

TEST(ImportNames, PeriodsAndLists) {
    using P = std::vector<int>;
    EXPECT_EQ(periodsOf("1-4"), P({1, 2, 3, 4}));
    EXPECT_EQ(periodsOf("1,3、5，7"), P({1, 3, 5, 7}));
    EXPECT_EQ(periodsOf("6～7,2"), P({6, 7, 2}));
    EXPECT_EQ(periodsOf("3,3-4"), P({3, 4}));
    for (const char* bad : {"", "0", "8", "4-2", "1-2-3", "a", "1,,2"}) {
        EXPECT_EQ(periodsOf(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(periodsText({1, 2, 3, 4, 6}), "1-4,6");
    EXPECT_EQ(periodsText({7, 1, 2}), "1,2,7");
    EXPECT_EQ(namesOf("语文、 数学,,英语，"), std::vector<std::string>({"语文", "数学", "英语"}));
    const auto days = maskPeriods(std::string("0110000") + std::string(21, '0') + "1000001");
    EXPECT_EQ(days[0], P({2, 3}));
    EXPECT_EQ(days[4], P({1, 7}));
    EXPECT_TRUE(maskPeriods("1111").front().empty()); // a short mask holds no presets
}
