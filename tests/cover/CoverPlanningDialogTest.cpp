// 代课安排 opened from 出勤管理: a three-day 公  假 of 王伟 planned with its first candidates, one
// lesson swapped and one left uncovered (shown in red) through the rows' boxes, the plan
// saved, applied (the records in the attendance table), listed among the saved plans and
// reopened; the notice copied as text; a date before week 1 refused; 关闭 asks about an
// unsaved change. With TAVLEN_SHOT_DIR set the planned dialog is saved there as a picture.
#include "CoverTestSchool.h"
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "cover/CoverPlanningDialog.h"
#include "store/CATRecord.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using cover::CoverPlanningDialog;
using dialogtest::messageFrom;
using widgets::toStdString;

int optionStarting(QComboBox& box, const QString& start) {
    for (int i = 0; i < box.count(); ++i) {
        if (box.itemText(i).startsWith(start)) {
            return i;
        }
    }
    return -1;
}

void choose(QComboBox& box, int option) {
    box.setCurrentIndex(option);
    emit box.activated(option);
}

class CoverPlanningDialogTest : public ::testing::Test {
protected:
    void SetUp() override { covertest::storeSmallSchool(); }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(CoverPlanningDialogTest, PlansSwapsAppliesAndReopens) {
    dialogtest::openFromMenu<CoverPlanningDialog>(
        m_window, "代课安排", [&](CoverPlanningDialog& d) {
            EXPECT_EQ(toStdString(d.windowTitle()), "代课安排");
            EXPECT_EQ(d.teacherBox()->count(), 8);
            EXPECT_EQ(d.categoryBox()->count(), 3);
            EXPECT_EQ(d.savedBox()->count(), 0);

            d.teacherBox()->setCurrentText(QStringLiteral("王伟"));
            d.fromBox()->setText(QStringLiteral("2024-08-26"));
            EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("制定"))->click(); }),
                      "日期 2024-08-26 在第一周之前（第一周从 2024-09-02 开始）。");
            EXPECT_EQ(d.list()->rowCount(), 0);

            d.fromBox()->setText(QStringLiteral("2024-09-09"));
            d.toBox()->setText(QStringLiteral("2024-09-11"));
            d.categoryBox()->setCurrentIndex(1); // 公  假
            d.button(QStringLiteral("制定"))->click();
            QTableWidget& list = *d.list();
            ASSERT_EQ(list.rowCount(), 4);
            EXPECT_EQ(toStdString(list.item(0, 0)->text()), "2024-09-09");
            EXPECT_EQ(toStdString(list.item(0, 2)->text()), "第一节");
            EXPECT_EQ(toStdString(list.item(3, 3)->text()), "初一⑵");
            EXPECT_EQ(toStdString(list.item(0, 5)->text()), "李娜");
            EXPECT_EQ(toStdString(d.choiceBox(0)->currentText()),
                      "李娜  同科 · 当天1节 · 本周2节 · 本学期代课 3 节");

            // Monday's first lesson swapped with 张强's on Thursday, Wednesday's left uncovered.
            const int swap = optionStarting(*d.choiceBox(0), QStringLiteral("调课"));
            ASSERT_GE(swap, 0);
            choose(*d.choiceBox(0), swap);
            EXPECT_EQ(toStdString(list.item(0, 5)->text()), "调课：张强");
            EXPECT_EQ(toStdString(list.item(0, 6)->text()),
                      "调课：与 9月12日 星期四 第三节 语文（张强）对调");
            choose(*d.choiceBox(3), d.choiceBox(3)->count() - 1);
            EXPECT_EQ(toStdString(list.item(3, 5)->text()), "无人代课");
            EXPECT_EQ(toStdString(list.item(3, 6)->text()), "未安排代课");
            EXPECT_EQ(toStdString(list.item(1, 6)->text()), "");
            EXPECT_EQ(list.item(3, 5)->foreground().color(), QColor(Qt::red));
            EXPECT_NE(list.item(2, 5)->foreground().color(), QColor(Qt::red));

            if (const QByteArray dir = qgetenv("TAVLEN_SHOT_DIR"); !dir.isEmpty()) {
                d.resize(d.sizeHint().expandedTo(QSize(1100, 480)));
                QApplication::processEvents();
                d.grab().save(QString::fromUtf8(dir) + QStringLiteral("/cover-dialog.png"));
            }

            EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("存盘"))->click(); }),
                      "代课安排已存盘。");
            EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("应用"))->click(); }),
                      "已写入 3 条出勤记录。");
            EXPECT_EQ(store::CATRecord().readAll().size(), 3u);
            ASSERT_EQ(d.savedBox()->count(), 1);
            EXPECT_EQ(toStdString(d.savedBox()->itemText(0)),
                      "王伟 2024-09-09 至 2024-09-11 公  假（4 节，已应用）");
            EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("应用"))->click(); }),
                      "这份代课安排已经应用过，出勤记录没有变化。");

            EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("复制通知文本"))->click(); }),
                      "代课通知已复制，可以粘贴到消息中。");
            EXPECT_EQ(toStdString(QGuiApplication::clipboard()->text()), d.logic().noticeText());
            EXPECT_NE(d.logic().noticeText().find("第三节 初一⑵ 数学 王伟 → 李娜（公  假）"),
                      std::string::npos);

            // Another plan made, then the saved one reopened as it was applied.
            d.fromBox()->setText(QStringLiteral("2024-09-16"));
            d.toBox()->clear();
            d.button(QStringLiteral("制定"))->click();
            EXPECT_EQ(list.rowCount(), 2);
            d.savedBox()->setCurrentIndex(0);
            d.button(QStringLiteral("打开"))->click();
            ASSERT_EQ(list.rowCount(), 4);
            EXPECT_EQ(toStdString(list.item(0, 5)->text()), "调课：张强");
            EXPECT_EQ(toStdString(d.toBox()->text()), "2024-09-11");

            // A change not saved: 关闭 asks; 否 keeps the dialog open.
            choose(*d.choiceBox(2), d.choiceBox(2)->count() - 1);
            EXPECT_EQ(dialogtest::messageFromAnswer(
                          [&] { d.button(QStringLiteral("关闭"))->click(); }, QMessageBox::No),
                      "代课安排尚未存盘，放弃修改吗？");
            EXPECT_TRUE(d.isVisible());
            dialogtest::messageFromAnswer([&] { d.button(QStringLiteral("关闭"))->click(); },
                                          QMessageBox::Yes);
            EXPECT_FALSE(d.isVisible());
        });
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace
