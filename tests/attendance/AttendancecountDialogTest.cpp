// The weekly count opened from 出勤管理 → 出勤情况周统计: its list and boxes, a week refused
// outside 0 … 50, the week "05" counted with the substitute's row, and 表格导出 writing the
// weekly document where the save dialog says; 确定 closes.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendancecountDialog.h"
#include "core/Gbk.h"
#include "store/CATRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using attendance::AttendancecountDialog;
using dialogtest::messageFrom;
using widgets::toStdString;
using Rows = std::vector<std::vector<std::string>>;

Rows shown(const QTableWidget& list) {
    Rows rows;
    for (int r = 0; r < list.rowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < list.columnCount(); ++c) {
            cells.push_back(toStdString(list.item(r, c)->text()));
        }
        rows.push_back(cells);
    }
    return rows;
}

store::AttendanceRow record(std::string teacher, std::string week, std::string period,
                            std::string kind, std::string substitute = {}) {
    store::AttendanceRow row;
    row.teacher = std::move(teacher);
    row.week = std::move(week);
    row.period = std::move(period);
    row.kind = std::move(kind);
    row.substitute = std::move(substitute);
    return row;
}

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
            EXPECT_EQ(shown(list), (Rows{{"王伟", "1", "0", "0", "0", "0", "0"},
                                         {"李娜", "0", "0", "0", "1", "0", "0"},
                                         {"张强", "0", "0", "0", "0", "0", "1"}}));
            d.activityBox()->setCurrentIndex(1); // 早晚督修
            d.refreshButton()->click();
            EXPECT_EQ(shown(list), (Rows{{"王伟", "0", "0", "0", "0", "1", "0"}}));
            d.activityBox()->setCurrentIndex(0);
            d.refreshButton()->click();

            std::string title;
            EXPECT_TRUE(dialogtest::whileModal<QFileDialog>(
                [&] { d.exportButton()->click(); },
                [&](QFileDialog& chooser) {
                    title = toStdString(chooser.windowTitle());
                    chooser.selectFile(QString::fromStdString(exported.string()));
                    QMetaObject::invokeMethod(&chooser, "accept", Qt::DirectConnection);
                }));
            EXPECT_EQ(title, "保存周出勤表");
            d.buttons()->okButton()->click();
            EXPECT_FALSE(d.isVisible());
        });

    std::ifstream in(exported, std::ios::binary);
    const std::string document{std::istreambuf_iterator<char>(in), {}};
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
