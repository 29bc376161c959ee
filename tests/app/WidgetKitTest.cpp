// The shared widget kit: the GBK-capped line edit and the 存盘/确定/取消 row.
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/QtMessenger.h"

#include "RecordingMessenger.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

// QTest::keyClicks cannot type Chinese; one key event per character can.
void type(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch = text.mid(i, 1);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            ch = text.mid(i++, 2);
        }
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, ch, Qt::NoModifier);
    }
}

// Runs inspect on the next message box once it is up, then presses the button it returns.
void onNextBox(const std::function<QAbstractButton*(QMessageBox&)>& inspect) {
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            ADD_FAILURE() << "no message box is up";
            if (modal != nullptr) {
                modal->close();
            }
            return;
        }
        QAbstractButton* button = inspect(*box);
        ASSERT_NE(button, nullptr);
        button->click();
    });
}

TEST(QtMessenger, BoxesCarryTheApplicationTitleTheTextAndChineseButtons) {
    QWidget parent;
    widgets::QtMessenger messenger(&parent);
    const auto look = [](QMessageBox::Icon icon, const char* text) {
        return [icon, text](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("tavlen"));
            EXPECT_EQ(box.text(), QString::fromUtf8(text));
            EXPECT_EQ(box.icon(), icon);
            EXPECT_EQ(box.buttons().size(), 1);
            EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
            return box.button(QMessageBox::Ok);
        };
    };
    onNextBox(look(QMessageBox::Information, "存盘完毕"));
    messenger.info("存盘完毕");
    onNextBox(look(QMessageBox::Warning, "[SQLite]no such table: x (1)"));
    messenger.error("[SQLite]no such table: x (1)");
    onNextBox([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("提示"));
        EXPECT_EQ(box.text(), QStringLiteral("打印完毕!"));
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        return box.button(QMessageBox::Ok);
    });
    messenger.notice("提示", "打印完毕!");

    for (const bool yes : {true, false}) {
        onNextBox([yes](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("tavlen"));
            EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("是"));
            EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("否"));
            return box.button(yes ? QMessageBox::Yes : QMessageBox::No);
        });
        EXPECT_EQ(messenger.confirm("删除这位教师吗？"), yes);
    }
}

TEST(GbkLineEdit, TypingStopsAtTheByteCapCountingChineseAsTwoBytes) {
    widgets::GbkLineEdit edit(8);
    QSignalSpy rejected(&edit, &QLineEdit::inputRejected);
    type(&edit, QStringLiteral("课程名"));
    type(&edit, QStringLiteral("ab"));
    EXPECT_EQ(edit.text(), QStringLiteral("课程名ab")); // 8 bytes
    type(&edit, QStringLiteral("c"));
    type(&edit, QStringLiteral("称"));
    EXPECT_EQ(edit.text(), QStringLiteral("课程名ab"));
    EXPECT_EQ(rejected.count(), 2);

    widgets::GbkLineEdit full(8);
    type(&full, QStringLiteral("课程名称设置"));
    EXPECT_EQ(full.text(), QStringLiteral("课程名称"));
}

TEST(GbkLineEdit, CharactersGbkCannotEncodeAreRefused) {
    widgets::GbkLineEdit edit(10);
    type(&edit, QStringLiteral("初一"));
    type(&edit, QString::fromUtf8("😀"));
    type(&edit, QString::fromUtf8("•"));
    type(&edit, QString::fromUtf8("⑴"));
    EXPECT_EQ(edit.text(), QString::fromUtf8("初一⑴"));
}

TEST(GbkLineEdit, PastingTooMuchIsRefusedWhole) {
    widgets::GbkLineEdit edit(8);
    edit.setText(QStringLiteral("语文"));
    edit.end(false);
    QApplication::clipboard()->setText(QStringLiteral("数学英语"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("语文"));
    QApplication::clipboard()->setText(QStringLiteral("数学"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("语文数学"));
}

TEST(GbkLineEdit, AnOverLongStoredTextCanBeShortenedButNotWidened) {
    widgets::GbkLineEdit edit(8);
    edit.setText(QStringLiteral("一二三四五六")); // 12 bytes, set by code
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("一二三四五"));
    type(&edit, QStringLiteral("a"));
    EXPECT_EQ(edit.text(), QStringLiteral("一二三四五"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    type(&edit, QStringLiteral("abc"));
    EXPECT_EQ(edit.text(), QStringLiteral("一二三ab")); // back under the cap, the cap rules
}

class DialogButtonsTest : public ::testing::Test {
protected:
    bool save() {
        ++m_saves;
        if (m_throw) {
            throw std::runtime_error("[SQLite]database is locked (5)");
        }
        return m_saveSucceeds;
    }

    QDialog m_dialog;
    testsupport::RecordingMessenger m_messenger;
    int m_saves = 0;
    bool m_saveSucceeds = true;
    bool m_throw = false;
};

TEST_F(DialogButtonsTest, SaveKeepsTheDialogOpenAndOkClosesOnlyAfterASuccessfulSave) {
    widgets::DialogButtons buttons(m_dialog, m_messenger, [this] { return save(); });
    EXPECT_EQ(buttons.saveButton()->text(), QStringLiteral("存盘"));
    EXPECT_EQ(buttons.okButton()->text(), QStringLiteral("确定"));
    EXPECT_EQ(buttons.cancelButton()->text(), QStringLiteral("取消"));
    m_dialog.show();

    buttons.saveButton()->click();
    EXPECT_EQ(m_saves, 1);
    EXPECT_TRUE(m_dialog.isVisible());

    m_saveSucceeds = false;
    buttons.okButton()->click();
    EXPECT_EQ(m_saves, 2);
    EXPECT_TRUE(m_dialog.isVisible());

    m_saveSucceeds = true;
    buttons.okButton()->click();
    EXPECT_EQ(m_saves, 3);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
}

TEST_F(DialogButtonsTest, CancelClosesWithoutSaving) {
    widgets::DialogButtons buttons(m_dialog, m_messenger, [this] { return save(); });
    m_dialog.show();
    buttons.cancelButton()->click();
    EXPECT_EQ(m_saves, 0);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
}

TEST_F(DialogButtonsTest, AnExceptionFromSaveIsShownAndCountsAsAFailedSave) {
    widgets::DialogButtons buttons(m_dialog, m_messenger, [this] { return save(); });
    m_dialog.show();
    m_throw = true;
    buttons.okButton()->click();
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(m_messenger.texts(), std::vector<std::string>{"[SQLite]database is locked (5)"});
}

TEST_F(DialogButtonsTest, ARowCanLeaveButtonsOut) {
    widgets::DialogButtons buttons(m_dialog, m_messenger, {},
                                   widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    EXPECT_EQ(buttons.saveButton(), nullptr);
    m_dialog.show();
    buttons.okButton()->click();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
}

} // namespace
