// 出勤情况预览 opened from 出勤管理: empty at first, the nine columns, 周别排序 in week numbers
// and 教师排序 in turn, each showing every record once; 确定 closes.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendancesquireDialog.h"
#include "store/CATRecord.h"
#include "widgets/DialogButtons.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using attendance::AttendancesquireDialog;
using dialogtest::openFromMenu;
using widgets::toStdString;

std::vector<std::string> column(const QTableWidget& table, int c) {
    std::vector<std::string> out;
    for (int r = 0; r < table.rowCount(); ++r) {
        out.push_back(toStdString(table.item(r, c)->text()));
    }
    return out;
}

TEST(AttendancesquireDialogTest, SortsEveryRecordByThePressedButton) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    store::CATRecord().append(std::vector<store::AttendanceRow>{
        {"王伟", "10", "初一⑴", {2024, 11, 4, 0, 0, 0}, "星期一", "第一节", "迟  到", "", ""},
        {"张强", "2", "初一⑵", {}, "星期二", "第二节", "公  假", "王伟", "开会"},
        {"李娜", "9", "初一⑴", {}, "星期三", "第三节", "早  退", "", ""}});
    openFromMenu<AttendancesquireDialog>(window, "出勤情况预览", [](AttendancesquireDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "出勤情况预览");
        QTableWidget& table = *d.table();
        EXPECT_EQ(table.rowCount(), 0);
        ASSERT_EQ(table.columnCount(), 9);
        EXPECT_EQ(toStdString(table.horizontalHeaderItem(7)->text()), "代课");
        d.sortButton(QStringLiteral("周别排序"))->click();
        EXPECT_EQ(column(table, 1), (std::vector<std::string>{"2", "9", "10"}));
        EXPECT_EQ(column(table, 3), (std::vector<std::string>{"", "", "2024-11-04"}));
        EXPECT_EQ(column(table, 7), (std::vector<std::string>{"王伟", "", ""}));
        d.sortButton(QStringLiteral("教师排序"))->click();
        EXPECT_EQ(column(table, 0), (std::vector<std::string>{"李娜", "王伟", "张强"}));
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(store::CATRecord().readAll().size(), 3U);
}

} // namespace
