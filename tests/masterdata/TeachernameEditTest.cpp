// The teacher roster: reading and counting, the 6-byte cut, the grid window and selection,
// add / insert / delete / batch arithmetic, the 200-place limit, and saving in roster order.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/NameInsert.h"
#include "masterdata/TeachernameEdit.h"
#include "masterdata/Teachernamemany.h"
#include "store/CTNRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using masterdata::TeachernameEdit;
using masterdata::Teachernamemany;

void store(const std::vector<std::string>& names) {
    std::vector<store::TeachernameRow> rows;
    for (const std::string& n : names) {
        rows.push_back({n});
    }
    store::CTNRecord rs;
    rs.append(rows);
}

std::vector<std::string> stored() {
    store::CTNRecord rs;
    std::vector<std::string> names;
    for (const auto& row : rs.readAll()) {
        names.push_back(row.name);
    }
    return names;
}

// "师001", "师002", …: distinct names of 5 bytes.
std::vector<std::string> numbered(int from, int to) {
    std::vector<std::string> names;
    for (int i = from; i <= to; ++i) {
        const std::string digits = std::to_string(i);
        names.push_back("师" + std::string(3 - digits.size(), '0') + digits);
    }
    return names;
}

// Places 1 … count as a list.
std::vector<std::string> roster(const TeachernameEdit& logic) {
    std::vector<std::string> names;
    for (int p = 1; p <= logic.count(); ++p) {
        names.push_back(logic.place(p));
    }
    return names;
}

class TeachernameEditTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

// --- reading, counting, cutting ---

TEST_F(TeachernameEditTest, EmptyTableGivesSixtyEmptyButtonsAndAddFillsTheFirst) {
    TeachernameEdit logic(m_messenger);
    EXPECT_EQ(logic.count(), 0);
    EXPECT_EQ(logic.captions(), TeachernameEdit::Captions{});
    EXPECT_EQ(logic.pressedIndex(), 0);
    ASSERT_TRUE(logic.add("王伟"));
    EXPECT_EQ(logic.count(), 1);
    EXPECT_EQ(logic.captions()[0], "王伟");
    EXPECT_EQ(logic.captions()[1], "");
}

TEST_F(TeachernameEditTest, ShortPlacesAreClearedAndCountEndsAtTheLastName) {
    store({"王伟", "李", "", "欧阳明", "ab", ""});
    TeachernameEdit logic(m_messenger);
    EXPECT_EQ(logic.count(), 4);
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"王伟", "", "", "欧阳明"}));
    // Gaps are kept in the grid but never written.
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"王伟", "欧阳明"}));
}

TEST_F(TeachernameEditTest, FourCharacterNameIsShownAndSavedAsItsFirstThree) {
    store({"司马相如", "ab王五六"});
    TeachernameEdit logic(m_messenger);
    EXPECT_EQ(logic.captions()[0], "司马相");
    EXPECT_EQ(logic.captions()[1], "ab王五");
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"司马相", "ab王五"}));
}

TEST_F(TeachernameEditTest, CutNeverSplitsACharacter) {
    TeachernameEdit logic(m_messenger);
    ASSERT_TRUE(logic.add("abcde王")); // 7 bytes: the Han character does not fit whole
    EXPECT_EQ(logic.place(1), "abcde");
    ASSERT_TRUE(logic.add("欧阳明明"));
    EXPECT_EQ(logic.place(2), "欧阳明");
}

// --- grid window and selection ---

TEST_F(TeachernameEditTest, MoveDownWithSixtyNamesOrFewerKeepsTheGrid) {
    store(numbered(1, 60));
    TeachernameEdit logic(m_messenger);
    logic.moveDown();
    EXPECT_EQ(logic.top(), 0);
    EXPECT_EQ(logic.captions()[59], "师060");
    ASSERT_TRUE(logic.add("王伟")); // the 61st name lies below the grid
    logic.moveDown();
    EXPECT_EQ(logic.top(), 1);
    EXPECT_EQ(logic.captions()[50], "王伟");
}

TEST_F(TeachernameEditTest, MoveDownStopsWhenTheLastRowIsAtTheBottom) {
    store(numbered(1, 75)); // rows of the grid: 0 … 7
    TeachernameEdit logic(m_messenger);
    logic.moveDown();
    EXPECT_EQ(logic.top(), 1);
    EXPECT_EQ(logic.captions()[0], "师011");
    logic.moveDown();
    logic.moveDown();
    EXPECT_EQ(logic.top(), 2);
    EXPECT_EQ(logic.captions()[54], "师075");
    logic.moveUp();
    logic.moveUp();
    logic.moveUp();
    EXPECT_EQ(logic.top(), 0);
}

TEST_F(TeachernameEditTest, MoveDownBringsThePlaceAfterTheLastNameIntoView) {
    // The limit is (count div 10) - 5: with 70 or 100 names the grid goes on until the empty
    // row that holds place count + 1 is its bottom row.
    for (const int count : {70, 100, 130}) {
        SCOPED_TRACE(count);
        store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{});
        store(numbered(1, count));
        TeachernameEdit logic(m_messenger);
        for (int i = 0; i < 20; ++i) {
            logic.moveDown();
        }
        EXPECT_EQ(logic.top(), count / 10 - 5);
        EXPECT_EQ(logic.captions()[49], numbered(count, count)[0]);
        EXPECT_EQ(logic.captions()[50], "");
        logic.selectButton(50);
        EXPECT_EQ(logic.selection(), count + 1);
        ASSERT_TRUE(logic.insert("王伟"));
        EXPECT_EQ(logic.place(count + 1), "王伟");
    }
}

TEST_F(TeachernameEditTest, SelectedButtonIsPressedAndFollowsTheWindow) {
    store(numbered(1, 80));
    TeachernameEdit logic(m_messenger);
    EXPECT_EQ(logic.selection(), 1);
    logic.selectButton(13);
    EXPECT_EQ(logic.selection(), 14);
    EXPECT_EQ(logic.pressedIndex(), 13);
    logic.moveDown();
    EXPECT_EQ(logic.pressedIndex(), 3);
    logic.moveDown();
    EXPECT_EQ(logic.pressedIndex(), -1); // place 14 scrolled out of view
    logic.selectButton(59);
    EXPECT_EQ(logic.selection(), 80);
    EXPECT_EQ(logic.pressedIndex(), 59);
}

// --- add, insert, delete ---

TEST_F(TeachernameEditTest, InsertAtPlaceOnePutsTheNameFirst) {
    store({"王伟", "李娜", "张强"});
    TeachernameEdit logic(m_messenger);
    ASSERT_TRUE(logic.insert("陈静"));
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"陈静", "王伟", "李娜", "张强"}));
    EXPECT_EQ(logic.count(), 4);
}

TEST_F(TeachernameEditTest, InsertInTheMiddleAndBeyondTheEnd) {
    store({"王伟", "李娜", "张强"});
    TeachernameEdit logic(m_messenger);
    logic.selectButton(1); // place 2
    ASSERT_TRUE(logic.insert("陈静"));
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"王伟", "陈静", "李娜", "张强"}));
    logic.selectButton(4); // place 5 = count + 1
    ASSERT_TRUE(logic.insert("何平"));
    logic.selectButton(30); // place 31, far beyond the end
    ASSERT_TRUE(logic.insert("刘洋"));
    EXPECT_EQ(roster(logic),
              (std::vector<std::string>{"王伟", "陈静", "李娜", "张强", "何平", "刘洋"}));
    EXPECT_EQ(logic.place(31), "");
}

TEST_F(TeachernameEditTest, DeleteMovesTheRestUpAndDoesNothingBeyondTheCount) {
    store({"王伟", "李娜", "张强"});
    TeachernameEdit logic(m_messenger);
    logic.selectButton(3); // place 4: beyond the count
    logic.remove();
    EXPECT_EQ(logic.count(), 3);
    logic.selectButton(0);
    logic.remove();
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"李娜", "张强"}));
    EXPECT_EQ(logic.place(3), "");
    logic.selectButton(1);
    logic.remove();
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"李娜"}));
    logic.remove(); // place 2 is now beyond the count
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"李娜"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"李娜"}));
}

TEST_F(TeachernameEditTest, CancelledNameDialogLeavesTheRosterAsItWas) {
    store({"王伟"});
    TeachernameEdit logic(m_messenger);
    masterdata::NameInsert dialog;
    dialog.accept("李娜");
    dialog.cancel();
    ASSERT_FALSE(dialog.result());
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"王伟"}));
}

// --- batches ---

TEST_F(TeachernameEditTest, BatchKeepsBoxOrderAndDropsBlankAndSpaceLedBoxes) {
    Teachernamemany batch;
    Teachernamemany::Texts texts{};
    texts[0] = "王伟";
    texts[2] = "李娜";
    EXPECT_EQ(batch.batch(), std::vector<std::string>{});
    batch.setTexts(texts);
    EXPECT_EQ(batch.batch(), (std::vector<std::string>{"王伟", "李娜"}));

    texts[1] = " 张强"; // begins with a space: dropped
    texts[3] = "何";    // blank
    texts[24] = "刘洋";
    batch.setTexts(texts);
    EXPECT_EQ(batch.batch(), (std::vector<std::string>{"王伟", "李娜", "刘洋"}));
}

TEST_F(TeachernameEditTest, AddBatchAppendsAfterTheLastName) {
    store({"陈静", "何平"});
    TeachernameEdit logic(m_messenger);
    logic.selectButton(0);
    const std::vector<std::string> batch = {"王伟", "李娜"};
    ASSERT_TRUE(logic.addBatch(batch));
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"陈静", "何平", "王伟", "李娜"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"陈静", "何平", "王伟", "李娜"}));
}

TEST_F(TeachernameEditTest, InsertBatchAtTheSelectionOrAppendedBeyondTheEnd) {
    store({"陈静", "何平", "刘洋"});
    TeachernameEdit logic(m_messenger);
    logic.selectButton(1);
    const std::vector<std::string> first = {"王伟", "李娜"};
    ASSERT_TRUE(logic.insertBatch(first));
    EXPECT_EQ(roster(logic), (std::vector<std::string>{"陈静", "王伟", "李娜", "何平", "刘洋"}));
    logic.selectButton(5); // place 6 > count
    const std::vector<std::string> second = {"张强"};
    ASSERT_TRUE(logic.insertBatch(second));
    EXPECT_EQ(roster(logic),
              (std::vector<std::string>{"陈静", "王伟", "李娜", "何平", "刘洋", "张强"}));
}

// --- the 200-place limit ---

TEST_F(TeachernameEditTest, AddAndInsertFillTheRosterToTwoHundredAndNoFurther) {
    store(numbered(1, 198));
    TeachernameEdit logic(m_messenger);
    ASSERT_TRUE(logic.roomForOne());
    ASSERT_TRUE(logic.add("王伟"));
    EXPECT_EQ(logic.count(), 199);
    logic.selectButton(0);
    ASSERT_TRUE(logic.insert("陈静")); // the 200th name, at place 1
    EXPECT_EQ(logic.count(), 200);
    EXPECT_TRUE(m_messenger.entries().empty());

    EXPECT_FALSE(logic.roomForOne());
    EXPECT_FALSE(logic.add("李娜"));
    EXPECT_FALSE(logic.insert("李娜"));
    EXPECT_EQ(m_messenger.texts(), std::vector<std::string>(3, TeachernameEdit::kFullMessage));
    EXPECT_EQ(logic.count(), 200);
    EXPECT_EQ(logic.place(1), "陈静");
    EXPECT_EQ(logic.place(200), "王伟");

    // Every one of the 200 names is written, the last one included.
    ASSERT_TRUE(logic.save());
    const std::vector<std::string> names = stored();
    ASSERT_EQ(names.size(), 200U);
    EXPECT_EQ(names.front(), "陈静");
    EXPECT_EQ(names.back(), "王伟");
}

TEST_F(TeachernameEditTest, BatchMayFillThePlacesUpToTheTwoHundredth) {
    store(numbered(1, 197));
    TeachernameEdit logic(m_messenger);
    const std::vector<std::string> three = {"王伟", "李娜", "张强"};
    ASSERT_TRUE(logic.roomForBatch());
    ASSERT_TRUE(logic.addBatch(three));
    EXPECT_EQ(logic.count(), 200);
    EXPECT_FALSE(logic.roomForBatch());
    ASSERT_TRUE(logic.save());
    const std::vector<std::string> names = stored();
    ASSERT_EQ(names.size(), 200U);
    EXPECT_EQ(names[199], "张强");
}

TEST_F(TeachernameEditTest, BatchPassingTheTwoHundredthPlaceIsRefusedWhole) {
    store(numbered(1, 198));
    TeachernameEdit logic(m_messenger);
    const std::vector<std::string> three = {"王伟", "李娜", "张强"};
    EXPECT_FALSE(logic.addBatch(three));
    logic.selectButton(0);
    EXPECT_FALSE(logic.insertBatch(three));
    EXPECT_EQ(m_messenger.texts(), std::vector<std::string>(2, TeachernameEdit::kFullMessage));
    EXPECT_EQ(logic.count(), 198);
    EXPECT_EQ(roster(logic), numbered(1, 198));
}

TEST_F(TeachernameEditTest, AFullRosterShowsItsLastRowsAndNothingBeyondThe200th) {
    store(numbered(1, 200));
    TeachernameEdit logic(m_messenger);
    EXPECT_EQ(logic.count(), 200);
    for (int i = 0; i < 20; ++i) {
        logic.moveDown();
    }
    EXPECT_EQ(logic.top(), 14); // places 141 … 200
    EXPECT_EQ(logic.captions()[59], "师200");
    logic.selectButton(59);
    EXPECT_EQ(logic.selection(), 200);
    EXPECT_FALSE(logic.insert("王伟"));
    logic.remove();
    EXPECT_EQ(logic.count(), 199);
    EXPECT_EQ(logic.place(200), "");
}

TEST_F(TeachernameEditTest, RowsAfterThe200thAreReportedAsDroppedOnSave) {
    store(numbered(1, 203));
    TeachernameEdit logic(m_messenger);
    EXPECT_TRUE(logic.overflowed());
    logic.reportOverflow();
    EXPECT_EQ(m_messenger.texts(), std::vector<std::string>{TeachernameEdit::kOverflowMessage});
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), numbered(1, 200));
}

// --- saving ---

TEST_F(TeachernameEditTest, SaveWritesGridOrderAndUnsavedEditsWriteNothing) {
    store({"王伟", "李娜"});
    {
        TeachernameEdit logic(m_messenger);
        ASSERT_TRUE(logic.insert("张强"));
    }
    EXPECT_EQ(stored(), (std::vector<std::string>{"王伟", "李娜"}));

    TeachernameEdit logic(m_messenger);
    logic.selectButton(1);
    ASSERT_TRUE(logic.insert("张强"));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<std::string>{"王伟", "张强", "李娜"}));
}

TEST_F(TeachernameEditTest, RefusedSaveShowsTheDriverTextAndKeepsTheTable) {
    store({"王伟", "李娜"});
    m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [teachername] "
                 "WHEN NEW.[姓名] = '坏名字' BEGIN SELECT RAISE(ABORT, 'refused by test'); END");
    TeachernameEdit logic(m_messenger);
    ASSERT_TRUE(logic.add("坏名字"));
    EXPECT_FALSE(logic.save());
    ASSERT_EQ(m_messenger.entries().size(), 1U);
    EXPECT_NE(m_messenger.entries()[0].text.find("refused by test"), std::string::npos);
    EXPECT_EQ(stored(), (std::vector<std::string>{"王伟", "李娜"}));
}

} // namespace
