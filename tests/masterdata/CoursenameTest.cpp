// The course-name list: reading into the 20 entries, closing the gaps on save, blank and
// over-long names, a refused save, and tables this dialog could not have written.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/Coursename.h"
#include "store/CCNRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using masterdata::Coursename;

void store(const std::vector<std::string>& names) {
    std::vector<store::CoursenameRow> rows;
    for (const std::string& n : names) {
        rows.push_back({n});
    }
    store::CCNRecord rs;
    rs.append(rows);
}

std::vector<std::string> stored() {
    store::CCNRecord rs;
    std::vector<std::string> names;
    for (const auto& row : rs.readAll()) {
        names.push_back(row.name);
    }
    return names;
}

TEST(Coursename, EmptyTableShowsTwentyEmptyEntriesAndSavesNothing) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    EXPECT_EQ(logic.names(), Coursename::Names{});
    EXPECT_FALSE(logic.overflowed());
    logic.reportOverflow();
    ASSERT_TRUE(logic.save());
    EXPECT_TRUE(stored().empty());
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(Coursename, ReadsRowsInTableOrderKeepingGaps) {
    const testsupport::TempDatabase db;
    store({"语文", "", "数学", "英语"});
    testsupport::RecordingMessenger messenger;
    const Coursename logic(messenger);
    EXPECT_EQ(logic.names()[0], "语文");
    EXPECT_EQ(logic.names()[1], "");
    EXPECT_EQ(logic.names()[2], "数学");
    EXPECT_EQ(logic.names()[3], "英语");
    EXPECT_EQ(logic.names()[4], "");
}

TEST(Coursename, SaveClosesGapsInBoxOrderAndDropsShortNames) {
    const testsupport::TempDatabase db;
    store({"旧名字"});
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    Coursename::Names names{};
    names[0] = "语文";
    names[3] = "物理";
    names[5] = "史";        // 2 bytes: blank
    names[7] = "ab ";       // 3 bytes: blank
    names[10] = "信息技术"; // 8 bytes: kept
    names[19] = "abcd";     // 4 bytes: the shortest valid name, in the last box
    logic.setNames(names);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"语文", "物理", "信息技术", "abcd"}));
    // The entries themselves are closed up, so a second save writes the same.
    EXPECT_EQ(logic.names()[2], "信息技术");
    EXPECT_EQ(logic.names()[4], "");
}

TEST(Coursename, ReorderedBoxesReorderTheTable) {
    const testsupport::TempDatabase db;
    store({"语文", "数学", "英语"});
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    Coursename::Names names = logic.names();
    std::swap(names[0], names[2]);
    logic.setNames(names);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"英语", "数学", "语文"}));
    // A new dialog shows the new order.
    const Coursename again(messenger);
    EXPECT_EQ(again.names()[0], "英语");
}

TEST(Coursename, EditingWithoutSavingWritesNothing) {
    const testsupport::TempDatabase db;
    store({"语文", "数学"});
    {
        testsupport::RecordingMessenger messenger;
        Coursename logic(messenger);
        Coursename::Names names{};
        names[0] = "化学";
        logic.setNames(names);
    }
    EXPECT_EQ(stored(), (std::vector<std::string>{"语文", "数学"}));
}

TEST(Coursename, MoreThanTwentyRowsShowTheFirstTwentyAndSayASaveKeepsThem) {
    const testsupport::TempDatabase db;
    std::vector<std::string> names;
    for (int i = 1; i <= 23; ++i) {
        names.push_back("课程" + std::to_string(i));
    }
    store(names);
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    EXPECT_TRUE(logic.overflowed());
    EXPECT_EQ(logic.names()[19], "课程20");
    logic.reportOverflow();
    EXPECT_EQ(messenger.texts(), std::vector<std::string>{Coursename::kOverflowMessage});
    ASSERT_TRUE(logic.save());
    names.resize(20);
    EXPECT_EQ(stored(), names);
}

TEST(Coursename, OverLongStoredNameIsShownWholeAndReported) {
    const testsupport::TempDatabase db;
    store({"语文", "信息与技术"}); // 10 bytes, wider than a box
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    EXPECT_TRUE(logic.overflowed());
    EXPECT_EQ(logic.names()[1], "信息与技术");
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"语文", "信息与技术"}));
}

TEST(Coursename, TwentyNamesOfEightBytesAreNoOverflow) {
    const testsupport::TempDatabase db;
    store(std::vector<std::string>(20, "信息技术"));
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    EXPECT_FALSE(logic.overflowed());
    logic.reportOverflow();
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(Coursename, BlankRowsAfterTheTwentiethAreNoOverflow) {
    const testsupport::TempDatabase db;
    std::vector<std::string> names(20, "信息技术");
    names.insert(names.end(), {"", "体", ""}); // rows 21 … 23 hold no name
    store(names);
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    EXPECT_FALSE(logic.overflowed());
    logic.reportOverflow();
    EXPECT_TRUE(messenger.entries().empty());

    store({"化学"}); // appended as row 24: a name that a save would lose
    Coursename longer(messenger);
    EXPECT_TRUE(longer.overflowed());
}

TEST(Coursename, RefusedSaveShowsTheDriverTextAndKeepsTheTable) {
    const testsupport::TempDatabase db;
    store({"语文", "数学"});
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [coursename] "
               "WHEN NEW.[coursename] = '坏课程' BEGIN SELECT RAISE(ABORT, 'refused by test'); "
               "END");
    testsupport::RecordingMessenger messenger;
    Coursename logic(messenger);
    Coursename::Names names{};
    names[0] = "英语";
    names[1] = "坏课程";
    logic.setNames(names);
    EXPECT_FALSE(logic.save());
    ASSERT_EQ(messenger.entries().size(), 1U);
    EXPECT_EQ(messenger.entries()[0].kind, testsupport::RecordingMessenger::Entry::Kind::Error);
    EXPECT_NE(messenger.entries()[0].text.find("refused by test"), std::string::npos);
    EXPECT_EQ(stored(), (std::vector<std::string>{"语文", "数学"}));
}

TEST(Coursename, MissingTableEndsTheCommandWithTheDriverText) {
    const testsupport::TempDatabase db;
    db.execute("DROP TABLE [coursename]");
    testsupport::RecordingMessenger messenger;
    EXPECT_THROW(Coursename logic(messenger), store::DbError);
}

} // namespace
