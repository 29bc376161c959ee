// 课程查询 → 课表发布: the choices and the suggested target, a site published into the test
// folder with the folder opened when done, and a second 发布 asking before it replaces.
#include "MenuDialogDriver.h"
#include "PublishTestSchool.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "publish/TimetablePublishDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using publish::TimetablePublishDialog;
using widgets::toQString;
using widgets::toStdString;

TEST(TimetablePublishDialog, PublishesASiteOpensItsFolderAndAsksBeforeReplacing) {
    testsupport::TempDatabase db;
    publishtest::storeSmallSchool();
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    QString opened;
    TimetablePublishDialog::setFolderOpener([&](const QString& folder) { opened = folder; });
    const fs::path site = fs::path(db.workingDir()) / "网站";

    dialogtest::openFromMenu<TimetablePublishDialog>(
        window, "课表发布", [&](TimetablePublishDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "课表发布");
            EXPECT_EQ(d.kindBox()->count(), 4);
            EXPECT_EQ(d.gradeBox()->count(), 7);
            EXPECT_EQ(d.formatBox()->count(), 4);
            EXPECT_FALSE(d.weeksBox()->isEnabled());
            d.gradeBox()->setCurrentIndex(1);
            EXPECT_EQ(fs::path(toStdString(d.targetEdit()->text())).filename(), "初一班级课表.pdf");
            d.formatBox()->setCurrentIndex(3);
            EXPECT_TRUE(d.weeksBox()->isEnabled());
            d.kindBox()->setCurrentIndex(2);
            EXPECT_EQ(dialogtest::messageFrom([&] { d.publishButton()->click(); }),
                      "总课表和任课表没有日历，请选择班级课表或教师课表。");

            d.kindBox()->setCurrentIndex(0);
            d.formatBox()->setCurrentIndex(2);
            d.targetEdit()->setFocus();
            d.targetEdit()->selectAll();
            dialogtest::typeText(d.targetEdit(), toQString(site.string()));
            EXPECT_EQ(dialogtest::messageAfterEvents([&] { d.publishButton()->click(); }),
                      "已写出 4 页：" + site.string());
            EXPECT_TRUE(fs::is_regular_file(site / "index.html"));
            EXPECT_EQ(toStdString(opened), site.string());
            EXPECT_EQ(d.progressBar()->value(), d.progressBar()->maximum());
            EXPECT_EQ(toStdString(d.closeButton()->text()), "关闭");

            opened.clear();
            EXPECT_EQ(
                dialogtest::messageFromAnswer([&] { d.publishButton()->click(); }, QMessageBox::No),
                "“" + site.string() + "”已存在，要替换吗？");
            EXPECT_TRUE(opened.isEmpty());
            d.closeButton()->click();
        });
    TimetablePublishDialog::setFolderOpener({});
}

} // namespace
