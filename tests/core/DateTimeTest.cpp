#include "core/DateTime.h"

#include <gtest/gtest.h>

namespace {

using school::DateTime;

TEST(DateTime, AutomationDateEpochAndKnownDays) {
    EXPECT_DOUBLE_EQ((DateTime{1899, 12, 30}).toAutomation(), 0.0);
    EXPECT_DOUBLE_EQ((DateTime{1900, 1, 1}).toAutomation(), 2.0);
    EXPECT_DOUBLE_EQ((DateTime{2026, 9, 1}).toAutomation(), 46266.0);
    EXPECT_DOUBLE_EQ((DateTime{2026, 9, 1, 12, 0, 0}).toAutomation(), 46266.5);
    EXPECT_EQ(DateTime::fromAutomation(46266.5), (DateTime{2026, 9, 1, 12, 0, 0}));
    EXPECT_EQ(DateTime::fromAutomation(2.0), (DateTime{1900, 1, 1}));
}

TEST(DateTime, TextRoundTripAndValidity) {
    const DateTime t{2026, 12, 8, 3, 4, 5};
    EXPECT_EQ(t.toText(), "2026-12-08 03:04:05");
    EXPECT_EQ(DateTime::fromText("2026-12-08 03:04:05"), t);
    EXPECT_EQ(DateTime::fromText("2024-02-29"), (DateTime{2024, 2, 29}));
    EXPECT_FALSE(DateTime::fromText("2023-02-29").has_value());
    EXPECT_FALSE(DateTime::fromText("yesterday").has_value());
    EXPECT_FALSE(DateTime{}.valid());
    EXPECT_EQ(DateTime{}.toText(), "");
}

TEST(DateTime, WeekdayMondayIsOne) {
    EXPECT_EQ((DateTime{2026, 12, 7}).weekday(), 1); // a Monday
    EXPECT_EQ((DateTime{2026, 12, 11}).weekday(), 5);
    EXPECT_EQ((DateTime{2026, 12, 13}).weekday(), 7);
    EXPECT_EQ((DateTime{1899, 12, 30}).weekday(), 6);
}

} // namespace
