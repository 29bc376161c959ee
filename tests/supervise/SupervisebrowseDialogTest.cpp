// 早晚督修教师浏览 opened from 课程查询: the roster of every class under the times in use, and
// 表格导出 writing the duty roster where the save dialog says, 周日晚 in the second column.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "core/Gbk.h"
#include "store/CSORecord.h"
#include "supervise/SupervisebrowseDialog.h"
#include "widgets/DialogButtons.h"

#include <QFileDialog>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using supervise::SupervisebrowseDialog;
using widgets::toStdString;
using Names = std::vector<std::string>;

TEST(SupervisebrowseDialog, ShowsTheRosterAndExportsIt) {
    const fs::path previous = fs::current_path();
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    fs::copy_file(fs::path(TAVLEN_TEMPLATE_DIR) / "supervis",
                  fs::path(db.workingDir()) / "tavlen" / "supervis");
    fs::current_path(db.workingDir());
    store::CSORecord().append(std::vector<store::SuperviseRow>{
        {"初一⑵", "周日晚", "王伟"}, {"初一⑴", "周二晚", "李娜"}, {"初一⑵", "周一早", "陈静"}});
    const fs::path exported = fs::path(db.workingDir()) / "督修.txt";

    dialogtest::openFromMenu<SupervisebrowseDialog>(
        window, "早晚督修教师浏览", [&](SupervisebrowseDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "早晚督促修教师表");
            const QTableWidget& list = *d.list();
            ASSERT_EQ(list.columnCount(), 11);
            EXPECT_EQ(toStdString(list.horizontalHeaderItem(10)->text()), "周日晚");
            ASSERT_EQ(list.rowCount(), 2);
            EXPECT_EQ(toStdString(list.item(0, 0)->text()), "初一⑵");
            EXPECT_EQ(toStdString(list.item(0, 1)->text()), "陈静");
            EXPECT_EQ(toStdString(list.item(0, 10)->text()), "王伟");
            EXPECT_EQ(toStdString(list.item(1, 4)->text()), "李娜");

            const bool asked = dialogtest::whileModal<QFileDialog>(
                [&] { d.exportButton()->click(); },
                [&](QFileDialog& chooser) {
                    EXPECT_EQ(toStdString(chooser.windowTitle()), "保存年段督修表");
                    chooser.selectFile(QString::fromStdString(exported.string()));
                    QMetaObject::invokeMethod(&chooser, "accept", Qt::DirectConnection);
                });
            EXPECT_TRUE(asked);
            d.buttons()->okButton()->click();
            EXPECT_FALSE(d.isVisible());
        });
    fs::current_path(previous);

    std::ifstream in(exported, std::ios::binary);
    const std::string document{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(document.size(), 11316U);
    const auto line = [&](int l) { return gbk::fromGbk(document.substr(size_t(l) * 92, 92)); };
    EXPECT_EQ(line(3).find("│班级  ║周日晚│周一早│周一晚│周二早│周二晚│"), 0U) << line(3);
    EXPECT_EQ(line(5).find("│初一⑵║王伟  │陈静  │      │"), 0U) << line(5);
    EXPECT_EQ(line(7).find("│初一⑴║      │      │      │      │李娜  │"), 0U) << line(7);
    EXPECT_TRUE(messenger.entries().empty());
}

} // namespace
