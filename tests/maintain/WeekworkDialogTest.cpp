// The weekly lesson counts opened from 课程查询 → 教师周课时数浏览: the three columns with one
// row per teacher in roster order, 重新统计 following a change of the course plans, 表格导出
// writing the list shown as a GBK text table, 确定 closing without writing; without teacher names
// the entry only shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "core/Gbk.h"
#include "maintain/WeekworkDialog.h"
#include "store/CCCRecord.h"
#include "store/CTNRecord.h"
#include "widgets/DialogButtons.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using maintain::WeekworkDialog;
using Plans = std::vector<store::ClasscourseRow>;
using Rows = std::vector<std::vector<std::string>>;
using widgets::toStdString;

constexpr const char* kEntry = "教师周课时数浏览";

Rows shown(const QTableWidget& table) {
    Rows rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            cells.push_back(item != nullptr ? toStdString(item->text()) : "<none>");
        }
        rows.push_back(cells);
    }
    return rows;
}

class WeekworkDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CTNRecord().append(
            std::vector<store::TeachernameRow>{{"王伟"}, {"李娜"}, {"欧阳明"}});
        store::CCCRecord().append(Plans{{"初一⑴", "数学", "李娜", 5},
                                        {"初一⑵", "数学", "李娜", 5},
                                        {"高二⑶", "物理", "李娜", 3},
                                        {"初一⑴", "语文", "王伟", 6},
                                        {"初一⑵", "英语", "        ", 4}});
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(WeekworkDialogTest, ShowsTheTotalsAndCountsAgainAndExportsThem) {
    const std::filesystem::path exported = std::filesystem::path(m_db.workingDir()) / "周课时.txt";
    openFromMenu<WeekworkDialog>(m_window, kEntry, [&](WeekworkDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "教师周课时一览表");
        QTableWidget& table = *d.table();
        ASSERT_EQ(table.columnCount(), 3);
        const std::vector<std::string> captions = {"教师", "学科", "周课时"};
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(toStdString(table.horizontalHeaderItem(column)->text()),
                      captions[static_cast<std::size_t>(column)]);
            EXPECT_GT(table.columnWidth(column), 0);
        }
        EXPECT_TRUE(table.showGrid());
        EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(shown(table),
                  (Rows{{"王伟", "语文", "6"}, {"李娜", "数学", "13"}, {"欧阳明", "", "0"}}));

        // 初一⑵ 数学 handed from 李娜 to 欧阳明 while the list is open.
        store::CCCRecord().replaceAll(Plans{{"初一⑴", "数学", "李娜", 5},
                                            {"初一⑵", "数学", "欧阳明", 5},
                                            {"高二⑶", "物理", "李娜", 3},
                                            {"初一⑴", "语文", "王伟", 6}});
        EXPECT_EQ(shown(table),
                  (Rows{{"王伟", "语文", "6"}, {"李娜", "数学", "13"}, {"欧阳明", "", "0"}}));
        d.recountButton()->click();
        EXPECT_EQ(shown(table),
                  (Rows{{"王伟", "语文", "6"}, {"李娜", "数学", "8"}, {"欧阳明", "数学", "5"}}));

        std::string title;
        EXPECT_TRUE(dialogtest::whileModal<QFileDialog>(
            [&] { d.exportButton()->click(); },
            [&](QFileDialog& chooser) {
                title = toStdString(chooser.windowTitle());
                chooser.selectFile(QString::fromStdString(exported.string()));
                QMetaObject::invokeMethod(&chooser, "accept", Qt::DirectConnection);
            }));
        EXPECT_EQ(title, "保存教师周课时一览表");
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(m_messenger.entries().empty());

    // The list as shown, under the headings, closed by the bottom rule after its last row.
    std::ifstream in(exported, std::ios::binary);
    const std::string document{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(document.size(), 54U * 36U);
    const auto line = [&](int l) { return gbk::fromGbk(document.substr(size_t(l) * 36, 36)); };
    EXPECT_EQ(line(1), "│教师      │学科      │周课时│\r\n");
    EXPECT_EQ(line(3), "│王伟      │语文      │6     │\r\n");
    EXPECT_EQ(line(4), "│李娜      │数学      │8     │\r\n");
    EXPECT_EQ(line(5), "│欧阳明    │数学      │5     │\r\n");
    EXPECT_EQ(line(6), "└─────┴─────┴───┘\r\n");
}

TEST_F(WeekworkDialogTest, FailedRecountShowsTheErrorAndKeepsTheList) {
    openFromMenu<WeekworkDialog>(m_window, kEntry, [this](WeekworkDialog& d) {
        const Rows before = shown(*d.table());
        ASSERT_EQ(before.size(), 3U);
        m_db.execute("DROP TABLE classcourse");
        const std::string text = messageFrom([&] { d.recountButton()->click(); });
        EXPECT_NE(text.find("classcourse"), std::string::npos) << text;
        EXPECT_EQ(shown(*d.table()), before);
        EXPECT_TRUE(d.isVisible());
        d.buttons()->cancelButton()->click();
    });
}

TEST_F(WeekworkDialogTest, WithoutTeachersTheEntryOnlyShowsItsMessage) {
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{});
    const std::string text =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(text, "请输入所有任课教师姓名!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
