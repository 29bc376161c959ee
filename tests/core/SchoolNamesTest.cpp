#include "core/SchoolNames.h"
#include "core/Gbk.h"

#include <gtest/gtest.h>

namespace {

using namespace school;

TEST(SchoolNames, GradesInTheirFixedOrder) {
    EXPECT_EQ(kGradeNames[0], "初一");
    EXPECT_EQ(kGradeNames[5], "高三");
    EXPECT_EQ(gradeIndex("初三"), 2);
    EXPECT_EQ(gradeIndex("高一"), 3);
    EXPECT_FALSE(gradeIndex("高四").has_value());
    EXPECT_FALSE(gradeIndex("初一 ").has_value());
}

TEST(SchoolNames, ClassNamesUseTheParenthesisedNumbers) {
    EXPECT_EQ(className(0, 1), "初一⑴");
    EXPECT_EQ(className(5, 20), "高三⒇");
    EXPECT_EQ(className(3, 10), "高一⑽");
    for (int g = 0; g < kGrades; ++g) {
        for (int c = 1; c <= kMaxClasses; ++c) {
            const std::string name = className(g, c);
            EXPECT_EQ(gbk::width(name), 6u) << name;
            const auto id = parseClassName(name);
            ASSERT_TRUE(id.has_value()) << name;
            EXPECT_EQ(*id, (ClassId{g, c}));
        }
    }
    const auto gbkBytes = gbk::toGbk(className(0, 1) + className(0, 20));
    ASSERT_TRUE(gbkBytes.has_value());
    EXPECT_EQ(gbkBytes->substr(4, 2), std::string("\xA2\xC5"));
    EXPECT_EQ(gbkBytes->substr(10, 2), std::string("\xA2\xD8"));
}

TEST(SchoolNames, ParseRefusesAnythingElse) {
    EXPECT_FALSE(parseClassName("初一(1)").has_value());
    EXPECT_FALSE(parseClassName("初一⑴ ").has_value());
    EXPECT_FALSE(parseClassName("初一").has_value());
    EXPECT_FALSE(parseClassName("⑴").has_value());
    EXPECT_FALSE(parseClassName("高四⑴").has_value());
    EXPECT_FALSE(parseClassName("").has_value());
}

TEST(RowNumber, PacksAndUnpacksBothWays) {
    EXPECT_EQ(packRowNumber({1, 1, 1}), 10101);
    EXPECT_EQ(packRowNumber({6, 20, 7}), 62007);
    EXPECT_EQ(packRowNumber({3, 12, 5}), 31205);
    for (int g = 1; g <= kGrades; ++g) {
        for (int c = 1; c <= kMaxClasses; ++c) {
            for (int p = 1; p <= kPeriods; ++p) {
                const RowKey key{g, c, p};
                const auto back = unpackRowNumber(packRowNumber(key));
                ASSERT_TRUE(back.has_value());
                EXPECT_EQ(*back, key);
            }
        }
    }
}

TEST(RowNumber, OutOfRangeNumbersDoNotUnpack) {
    EXPECT_FALSE(unpackRowNumber(0).has_value());
    EXPECT_FALSE(unpackRowNumber(10100).has_value()); // period 0
    EXPECT_FALSE(unpackRowNumber(10108).has_value()); // period 8
    EXPECT_FALSE(unpackRowNumber(10001).has_value()); // class 0
    EXPECT_FALSE(unpackRowNumber(12101).has_value()); // class 21
    EXPECT_FALSE(unpackRowNumber(70101).has_value()); // grade 7
    EXPECT_FALSE(unpackRowNumber(-10101).has_value());
}

TEST(SchoolNames, DayAndPeriodNames) {
    EXPECT_EQ(kDayNames[0], "星期一");
    EXPECT_EQ(kDayNames[4], "星期五");
    EXPECT_EQ(kPeriodNames[0], "第一节");
    EXPECT_EQ(kPeriodNames[6], "第七节");
}

} // namespace
