// The save-file dialog of the export, driven under the offscreen platform.
#include "reports/SaveFileDialog.h"
#include "ReportTestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>
#include <QTimer>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

// Runs `act` on the modal dialog once it is open.
void whenOpen(std::function<void(QFileDialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

TEST(SaveFileDialog, OffersTheReportsTitleFileFilterAndSuffix) {
    const WorkDir wd;
    const reports::SaveRequest request =
        reports::saveRequestFor(reports::ReportKind::Weekly, wd.path());
    whenOpen([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), "保存周出勤表");
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.defaultSuffix().toStdString(), "txt");
        EXPECT_EQ(dialog.nameFilters(),
                  (QStringList{QStringLiteral("报表文件 (*.wps *.txt)"),
                               QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件 (*)")}));
        EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("报表文件 (*.wps *.txt)"));
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        ASSERT_EQ(dialog.selectedFiles().size(), 1);
        EXPECT_EQ(dialog.selectedFiles().first().toStdString(), (wd / "week.wps").string());
        dialog.reject();
    });
    reports::SaveFileDialog chooser;
    EXPECT_EQ(chooser.chooseSaveFile(request), std::nullopt);
}

TEST(SaveFileDialog, ANameWithoutExtensionGetsTxt) {
    const WorkDir wd;
    reports::SaveRequest request = reports::saveRequestFor(reports::ReportKind::Term, wd.path());
    whenOpen([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString((wd / "bericht").string()));
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    reports::SaveFileDialog chooser;
    EXPECT_EQ(chooser.chooseSaveFile(request), wd / "bericht.txt");
}

} // namespace
