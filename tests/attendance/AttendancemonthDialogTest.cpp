// The monthly workload opened from 出勤管理 → 出勤情况月统计: a refused box, the counts of the
// weeks typed with 满勤, 表格导出 writing the monthly document where the save dialog says, and,
// without any attendance record, "无出勤记录!" closing the dialog.
#include "MenuDialogDriver.h"
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "StatisticsDialogs.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendancemonthDialog.h"
#include "core/Gbk.h"
#include "store/CATRecord.h"
#include "widgets/DialogButtons.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using attendance::AttendancemonthDialog;
using dialogtest::messageFrom;
using widgets::toStdString;

class AttendancemonthDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(fs::path(TAVLEN_TEMPLATE_DIR) / "months",
                      fs::path(m_db.workingDir()) / "tavlen" / "months");
        fs::current_path(m_db.workingDir());
        testsupport::storeTeachers({"王伟", "李娜"});
    }
    void TearDown() override { fs::current_path(m_previous); }

    void typeWeeks(AttendancemonthDialog& d, const char* month, const char* start,
                   const char* end) {
        d.monthBox()->setText(QString::fromUtf8(month));
        d.startWeekBox()->setText(QString::fromUtf8(start));
        d.endWeekBox()->setText(QString::fromUtf8(end));
    }

    fs::path m_previous = fs::current_path();
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(AttendancemonthDialogTest, CountsTheTypedWeeksAndClosesWithoutRecords) {
    const char* kEntry = "出勤情况月统计";
    dialogtest::openFromMenu<AttendancemonthDialog>(
        m_window, kEntry, [&](AttendancemonthDialog& d) {
            typeWeeks(d, "9", "1", "4");
            EXPECT_EQ(messageFrom([&] { d.refreshButton()->click(); }), "无出勤记录!");
            EXPECT_FALSE(d.isVisible());
        });

    store::AttendanceRow late;
    late.teacher = "王伟";
    late.week = "3";
    late.period = "第二节";
    late.kind = "迟  到";
    store::CATRecord().append(std::vector<store::AttendanceRow>{late});
    const fs::path exported = fs::path(m_db.workingDir()) / "九月.txt";
    dialogtest::openFromMenu<AttendancemonthDialog>(
        m_window, kEntry, [&](AttendancemonthDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "教师月份工作量统计表");
            QTableWidget& list = *d.list();
            ASSERT_EQ(list.columnCount(), 11);
            EXPECT_EQ(toStdString(list.horizontalHeaderItem(10)->text()), "满勤");

            typeWeeks(d, "9", "4", "1");
            EXPECT_EQ(messageFrom([&] { d.refreshButton()->click(); }), "起始周不能大于终止周。");
            typeWeeks(d, "9", "1", "4");
            d.refreshButton()->click();
            EXPECT_EQ(
                statisticstest::shownRows(list),
                (statisticstest::Rows{{"王伟", "0", "0", "1", "0", "0", "0", "0", "0", "0", ""},
                                      {"李娜", "0", "0", "0", "0", "0", "0", "0", "0", "0", "√"}}));

            EXPECT_EQ(statisticstest::exportTo(*d.exportButton(), exported), "保存月工作量统计表");
            d.buttons()->cancelButton()->click();
            EXPECT_FALSE(d.isVisible());
        });

    const std::string document = statisticstest::readFile(exported);
    ASSERT_EQ(document.size(), 4290u);
    EXPECT_EQ(gbk::fromGbk(document.substr(7 * 78 + 6, 4)), "李娜");
    EXPECT_EQ(document.substr(5 * 78 + 16 + 6 * 2, 1), "1");
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace
