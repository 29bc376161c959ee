// The weekly count opened from 出勤管理 → 出勤情况周统计: its list and boxes, a week refused
// outside 0 … 50, the week "05" counted with the substitute's row, and 表格导出 writing the
// weekly document where the save dialog says; 确定 closes.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "StatisticsDialogs.h"
#include "StatisticsRecords.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendancecountDialog.h"
#include "core/Gbk.h"
#include "store/CATRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using statisticstest::record;
namespace fs = std::filesystem;
using attendance::AttendancecountDialog;
using dialogtest::messageFrom;
using statisticstest::Rows;
using statisticstest::shownRows;
using widgets::toStdString;

class AttendancecountDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(fs::path(TAVLEN_TEMPLATE_DIR) / "weeks",
                      fs::path(m_db.workingDir()) / "tavlen" / "weeks");
        fs::current_path(m_db.workingDir());
        store::CATRecord().append(std::vector<store::AttendanceRow>{
            record("王伟", "5", "第一节", "迟  到"),
            record("李娜", "5", "第三节", "公  假", "张强"),
            record("王伟", "5", "早督修", "缺  勤"),
            record("赵敏", "6", "第一节", "迟  到"),
        });
    }
    void TearDown() override { fs::current_path(m_previous); }

    fs::path m_previous = fs::current_path();
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(AttendancecountDialogTest, CountsTheTypedWeekAndExportsIt) {
    const fs::path exported = fs::path(m_db.workingDir()) / "第5周.txt";
    dialogtest::openFromMenu<AttendancecountDialog>(
        m_window, "出勤情况周统计", [&](AttendancecountDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "出勤情况统计");
            QTableWidget& list = *d.list();
            ASSERT_EQ(list.columnCount(), 7);
            EXPECT_EQ(toStdString(list.horizontalHeaderItem(6)->text()), "公代");
            EXPECT_EQ(list.rowCount(), 0);
            EXPECT_EQ(d.activityBox()->count(), 5);
            EXPECT_EQ(toStdString(d.activityBox()->currentText()), "常规教学");

            d.weekBox()->setText(QStringLiteral("51"));
            EXPECT_EQ(messageFrom([&] { d.refreshButton()->click(); }),
                      "请输入周别（0 到 50 的整数）。");
            EXPECT_EQ(list.rowCount(), 0);

            d.weekBox()->setText(QStringLiteral("05"));
            d.refreshButton()->click();
            EXPECT_EQ(shownRows(list), (Rows{{"王伟", "1", "0", "0", "0", "0", "0"},
                                             {"李娜", "0", "0", "0", "1", "0", "0"},
                                             {"张强", "0", "0", "0", "0", "0", "1"}}));
            d.activityBox()->setCurrentIndex(1); // 早晚督修
            d.refreshButton()->click();
            EXPECT_EQ(shownRows(list), (Rows{{"王伟", "0", "0", "0", "0", "1", "0"}}));
            d.activityBox()->setCurrentIndex(0);
            d.refreshButton()->click();

            EXPECT_EQ(statisticstest::exportTo(*d.exportButton(), exported), "保存周出勤表");
            d.buttons()->okButton()->click();
            EXPECT_FALSE(d.isVisible());
        });

    const std::string document = statisticstest::readFile(exported);
    ASSERT_EQ(document.size(), 3956u);
    const auto field = [&](int line, int column, int bytes) {
        return gbk::fromGbk(document.substr(std::size_t(line * 92 + column), std::size_t(bytes)));
    };
    EXPECT_EQ(field(3, 2, 4), "王伟");
    EXPECT_EQ(field(3, 12, 1), "1");
    EXPECT_EQ(field(7, 2, 4), "张强");
    EXPECT_EQ(field(7, 12 + 6 * 5, 1), "1");
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace
