// 系统设置 → 从工作簿导入…: a CSV previewed with 导入 enabled, imported with the message
// shown, and a file with an error showing its row and keeping 导入 disabled.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "exchange/WorkbookImportDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using exchange::WorkbookImportDialog;
using widgets::toStdString;

TEST(WorkbookImportDialog, PreviewsImportsAndShowsTheRowOfAnError) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    const fs::path teachers = fs::path(db.workingDir()) / "教师.csv";
    std::ofstream(teachers) << "姓名,学科\n张伟,语文\n";
    const fs::path courses = fs::path(db.workingDir()) / "课程.csv";
    std::ofstream(courses) << "课程\n语文\n";
    const fs::path wrong = fs::path(db.workingDir()) / "课务分工.csv";
    std::ofstream(wrong) << "班级,学科,教师,周课时\n初九⑴,语文,张伟,5\n";

    dialogtest::openFromMenu<WorkbookImportDialog>(
        window, "从工作簿导入…", [&](WorkbookImportDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "从工作簿导入");
            EXPECT_TRUE(d.replaceButton()->isChecked());
            EXPECT_FALSE(d.importButton()->isEnabled());
            d.openFiles({courses, teachers});
            EXPECT_GT(d.preview()->count(), 1);
            EXPECT_TRUE(d.importButton()->isEnabled());
            EXPECT_EQ(dialogtest::messageFrom([&] { d.importButton()->click(); }),
                      "已导入：课程、教师");
            EXPECT_FALSE(d.importButton()->isEnabled());

            d.openFiles({wrong});
            EXPECT_FALSE(d.importButton()->isEnabled());
            int errorRow = -1;
            for (int r = 0; r < d.preview()->count(); ++r) {
                if (d.preview()->item(r)->foreground().color() == Qt::red)
                    errorRow = r;
            }
            ASSERT_GE(errorRow, 0);
            d.preview()->setCurrentRow(errorRow);
            EXPECT_EQ(toStdString(d.rowLabel()->text()),
                      "课务分工 第 2 行：初九⑴ | 语文 | 张伟 | 5");
            d.closeButton()->click();
        });
}

} // namespace
