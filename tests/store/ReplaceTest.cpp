// The save helpers: replace the rows a dialog owns, skip blanks, and leave the table
// exactly as it was when any statement of the save fails.
#include "TempDatabase.h"

#include "core/Gbk.h"
#include "store/CCCRecord.h"
#include "store/CTNRecord.h"

#include <gtest/gtest.h>

namespace {

using Row = store::ClasscourseRow;

std::vector<Row> sampleRows() {
    return {{"初一⑴", "语文", "王伟", 6},
            {"初一⑴", "数学", "李娜", 5},
            {"初一⑵", "语文", "张强", 6},
            {"初一⑵", "数学", "李娜", 5},
            {"初二⑴", "语文", "欧阳明", 5}};
}

TEST(Replace, OnlyOwnedRowsAreReplacedOthersKeepTheirOrder) {
    const testsupport::TempDatabase db;
    store::CCCRecord rs;
    rs.append(sampleRows());
    const std::vector<Row> newRows = {{"初一⑴", "英语", "陈静", 4}, {"初一⑴", "语文", "王伟", 7}};
    rs.replace([](const Row& r) { return r.className == "初一⑴"; }, newRows);
    const std::vector<Row> expected = {{"初一⑵", "语文", "张强", 6},
                                       {"初一⑵", "数学", "李娜", 5},
                                       {"初二⑴", "语文", "欧阳明", 5},
                                       {"初一⑴", "英语", "陈静", 4},
                                       {"初一⑴", "语文", "王伟", 7}};
    EXPECT_EQ(rs.readAll(), expected);
}

TEST(Replace, BlankEntriesAreNeverWrittenAndAllBlankDeletesOwnedRows) {
    const testsupport::TempDatabase db;
    store::CTNRecord rs;
    const std::vector<store::TeachernameRow> rows = {{"王伟"}, {"李"}, {""}, {"欧阳明"}};
    const auto blank = [](const store::TeachernameRow& r) { return gbk::isBlank(r.name); };
    rs.replaceAll(rows, blank);
    EXPECT_EQ(rs.readAll(), (std::vector<store::TeachernameRow>{{"王伟"}, {"欧阳明"}}));

    const std::vector<store::TeachernameRow> allBlank = {{""}, {"张"}};
    rs.replaceAll(allBlank, blank);
    EXPECT_TRUE(rs.readAll().empty());
}

TEST(Replace, AFailedInsertLeavesTheTableAsItWas) {
    const testsupport::TempDatabase db;
    store::CCCRecord rs;
    rs.append(sampleRows());
    // The third insert of the save is refused by the database.
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [classcourse] "
               "WHEN NEW.[教师] = '坏名字' BEGIN SELECT RAISE(ABORT, 'refused by test'); END");
    const std::vector<Row> newRows = {
        {"初一⑴", "英语", "陈静", 4}, {"初一⑴", "语文", "王伟", 7}, {"初一⑴", "物理", "坏名字", 2}};
    try {
        rs.replace([](const Row& r) { return r.className == "初一⑴"; }, newRows);
        FAIL() << "the save must fail";
    } catch (const store::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("refused by test"), std::string::npos) << e.what();
    }
    EXPECT_EQ(rs.readAll(), sampleRows());

    // A full replacement that fails keeps every row too, and the table stays usable.
    EXPECT_THROW(rs.replaceAll(newRows), store::DbError);
    EXPECT_EQ(rs.readAll(), sampleRows());
    rs.replaceAll(std::vector<Row>{{"初三⑶", "化学", "何平", 3}});
    EXPECT_EQ(rs.readAll(), (std::vector<Row>{{"初三⑶", "化学", "何平", 3}}));
}

TEST(Replace, AFailedDeleteLeavesTheTableAsItWas) {
    const testsupport::TempDatabase db;
    store::CCCRecord rs;
    rs.append(sampleRows());
    db.execute("CREATE TRIGGER keep BEFORE DELETE ON [classcourse] "
               "WHEN OLD.[教师] = '张强' BEGIN SELECT RAISE(ABORT, 'row is locked'); END");
    EXPECT_THROW(rs.replaceAll(std::vector<Row>{{"初三⑶", "化学", "何平", 3}}), store::DbError);
    EXPECT_EQ(rs.readAll(), sampleRows());
}

TEST(Replace, AppendAddsAtTheEndInOneTransaction) {
    const testsupport::TempDatabase db;
    store::CCCRecord rs;
    rs.append(sampleRows());
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [classcourse] "
               "WHEN NEW.[教师] = '坏名字' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(
        rs.append(std::vector<Row>{{"初三⑴", "化学", "何平", 3}, {"初三⑴", "物理", "坏名字", 3}}),
        store::DbError);
    EXPECT_EQ(rs.readAll(), sampleRows());
}

} // namespace
