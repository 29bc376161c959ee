// The term workload opened from 出勤管理 → 出勤情况学期统计: counted as it opens over weeks 1 … 25
// (week 26 left out), and 表格导出 offering the term's file under its own title.
#include "MenuDialogDriver.h"
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "StatisticsDialogs.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendancetermDialog.h"
#include "store/CATRecord.h"
#include "widgets/DialogButtons.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using attendance::AttendancetermDialog;
using widgets::toStdString;

TEST(AttendancetermDialogTest, CountsTheTermAsItOpens) {
    const fs::path previous = fs::current_path();
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    fs::copy_file(fs::path(TAVLEN_TEMPLATE_DIR) / "months",
                  fs::path(db.workingDir()) / "tavlen" / "months");
    fs::current_path(db.workingDir());
    testsupport::storeTeachers({"王伟", "李娜"});
    std::vector<store::AttendanceRow> records(2);
    for (store::AttendanceRow& row : records) {
        row.teacher = "李娜";
        row.period = "第一节";
        row.kind = "事  假";
    }
    records[0].week = "25";
    records[1].week = "26";
    store::CATRecord().append(records);

    const fs::path exported = fs::path(db.workingDir()) / "学期.txt";
    dialogtest::openFromMenu<AttendancetermDialog>(
        window, "出勤情况学期统计", [&](AttendancetermDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "教师学期工作量统计表");
            QTableWidget& list = *d.list();
            ASSERT_EQ(list.rowCount(), 2);
            EXPECT_EQ(toStdString(list.item(1, 0)->text()), "李娜");
            EXPECT_EQ(toStdString(list.item(1, 5)->text()), "1"); // 事假
            EXPECT_EQ(toStdString(list.item(1, 10)->text()), "");
            EXPECT_EQ(toStdString(list.item(0, 10)->text()), "√");

            EXPECT_EQ(statisticstest::exportTo(*d.exportButton(), exported),
                      "保存学期工作量统计表");
            d.buttons()->okButton()->click();
            EXPECT_FALSE(d.isVisible());
        });
    EXPECT_EQ(fs::file_size(exported), 4290u);
    fs::current_path(previous);
}

} // namespace
