// The resource-limit dialog opened from 系统设置 → 学科资源设置: ten pairs in 5 rows of 2
// showing the stored rows, a refused limit keeping the dialog open with its box focused and
// nothing written, 确   定 saving the pairs with gaps closed, 取  消 writing nothing; without
// course names the entry only shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/FacilitiesSetDialog.h"
#include "store/CCNRecord.h"
#include "store/CCSRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using masterdata::FacilitiesSetDialog;
using Rows = std::vector<store::CourseshareRow>;
using widgets::toStdString;

constexpr const char* kEntry = "学科资源设置";

Rows stored() {
    return store::CCSRecord().readAll();
}

class FacilitiesSetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"体育"}, {"物理"}, {"信息技术"}});
        store::CCSRecord().append(Rows{{"体育", 3}, {"物理", 2}});
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(FacilitiesSetDialogTest, ARefusedLimitKeepsTheDialogOpenThenOkSaves) {
    openFromMenu<FacilitiesSetDialog>(m_window, kEntry, [](FacilitiesSetDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "学科资源有限设置");
        EXPECT_EQ(toStdString(d.buttons()->okButton()->text()), "确   定");
        EXPECT_EQ(toStdString(d.buttons()->cancelButton()->text()), "取  消");
        EXPECT_EQ(d.buttons()->saveButton(), nullptr);
        int headings = 0;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            const std::string text = toStdString(label->text());
            headings += text == "学科" || text == "课时" ? 1 : 0;
        }
        EXPECT_EQ(headings, 4);
        // Pairs left to right, then top to bottom; each subject left of its limit.
        EXPECT_LT(d.subjectBox(0)->x(), d.limitBox(0)->x());
        EXPECT_LT(d.limitBox(0)->x(), d.subjectBox(1)->x());
        EXPECT_EQ(d.subjectBox(0)->y(), d.subjectBox(1)->y());
        EXPECT_LT(d.subjectBox(1)->y(), d.subjectBox(2)->y());

        EXPECT_EQ(toStdString(d.subjectBox(0)->currentText()), "体育");
        EXPECT_EQ(toStdString(d.limitBox(0)->text()), "3");
        EXPECT_EQ(toStdString(d.subjectBox(1)->currentText()), "物理");
        EXPECT_EQ(toStdString(d.subjectBox(2)->currentText()), "");
        EXPECT_EQ(toStdString(d.limitBox(2)->text()), "");
        ASSERT_EQ(d.subjectBox(9)->count(), 3);
        EXPECT_EQ(toStdString(d.subjectBox(9)->itemText(2)), "信息技术");
        EXPECT_TRUE(d.subjectBox(9)->isEditable());

        // Pair 1 emptied, pair 6 chosen from the list, pair 9 typed.
        d.subjectBox(1)->setEditText(QString());
        d.limitBox(1)->clear();
        d.subjectBox(6)->setCurrentIndex(2);
        QTest::keyClicks(d.limitBox(6), QStringLiteral("30"));
        dialogtest::typeText(d.subjectBox(9)->lineEdit(), QStringLiteral("机房"));
        QTest::keyClicks(d.limitBox(9), QStringLiteral("1"));

        EXPECT_EQ(messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "请输入一个 1 到 29 之间的整数（0 或不填表示不限）。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.limitBox(6));
        EXPECT_EQ(stored(), (Rows{{"体育", 3}, {"物理", 2}}));

        d.limitBox(6)->setText(QStringLiteral("二"));
        EXPECT_EQ(messageFrom([&] { d.buttons()->okButton()->click(); }), "请输入一个整数。");
        EXPECT_TRUE(d.isVisible());

        d.limitBox(6)->setText(QStringLiteral("29"));
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (Rows{{"体育", 3}, {"信息技术", 29}, {"机房", 1}}));
    EXPECT_TRUE(m_messenger.entries().empty());

    // Reopened, the saved rows fill the first pairs.
    openFromMenu<FacilitiesSetDialog>(m_window, kEntry, [](FacilitiesSetDialog& d) {
        EXPECT_EQ(toStdString(d.subjectBox(1)->currentText()), "信息技术");
        EXPECT_EQ(toStdString(d.limitBox(2)->text()), "1");
        d.buttons()->cancelButton()->click();
    });
}

TEST_F(FacilitiesSetDialogTest, CancelWritesNothing) {
    openFromMenu<FacilitiesSetDialog>(m_window, kEntry, [](FacilitiesSetDialog& d) {
        d.limitBox(0)->setText(QStringLiteral("9"));
        d.subjectBox(3)->setCurrentIndex(1);
        d.limitBox(3)->setText(QStringLiteral("4"));
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (Rows{{"体育", 3}, {"物理", 2}}));
}

TEST_F(FacilitiesSetDialogTest, WithoutCourseNamesTheEntryOnlyShowsItsMessage) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    const std::string text =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(text, "请设置学科课程的名称!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(stored(), (Rows{{"体育", 3}, {"物理", 2}}));
}

} // namespace
