// The grade course initialisation dialog opened from 系统设置 → 课程初始化: nothing chosen at
// first (删除 is refused), the question "!删除年段或班级课程" answered with Return (its default,
// 取消) or 取消 deletes nothing, 确定 deletes the chosen class's rows only and keeps the dialog
// open, a failed deletion shows the driver's text and changes
// nothing, 确定 closes; without course names the entry only shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "planning/GradelessonInitDialog.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CGLRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using planning::GradelessonInitDialog;
using widgets::toStdString;
using Plans = std::vector<store::ClasscourseRow>;
using Lessons = std::vector<store::GradelessonRow>;

constexpr const char* kEntry = "课程初始化";

const Plans kPlans = {
    {"初二⑶", "语文", "王伟", 6},
    {"初二⑵", "语文", "李娜", 6},
    {"初二⑶", "数学", "李娜", 5},
};
const Lessons kLessons = {
    {"初二⑶", 20301, {"王伟", "李娜", "", "", "", "", ""}},
    {"初二⑵", 20201, {"李娜", "", "", "", "", "", ""}},
};

void choose(QComboBox& box, const std::string& entry) {
    const int index = box.findText(widgets::toQString(entry));
    ASSERT_GE(index, 0) << entry;
    box.setCurrentIndex(index);
}

// A message box as the user met it.
struct Shown {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
    std::string byDefault; // the button Return presses
};

enum class Press { Ok, Cancel, Return };

// Clicks 删除 and handles the boxes that come up, one after the other, each with the next
// press of the script (确定 once the script is exhausted). Returns what the boxes showed.
std::vector<Shown> removePressing(GradelessonInitDialog& d, std::vector<Press> presses) {
    std::vector<Shown> shown;
    std::function<void()> watch;
    int ticks = 0;
    watch = [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Shown s{toStdString(box->windowTitle()), toStdString(box->text()), {}, {}};
            for (QAbstractButton* button : box->buttons()) {
                s.buttons.push_back(toStdString(button->text()));
            }
            if (box->defaultButton() != nullptr) {
                s.byDefault = toStdString(box->defaultButton()->text());
            }
            shown.push_back(s);
            const Press press = presses.empty() ? Press::Ok : presses.front();
            if (!presses.empty()) {
                presses.erase(presses.begin());
            }
            if (press == Press::Return) {
                QWidget* focused = box->focusWidget();
                QTest::keyClick(focused != nullptr ? focused : box, Qt::Key_Return);
            } else {
                box->button(press == Press::Ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
            }
        }
        if (++ticks < 40) {
            QTimer::singleShot(25, watch);
        }
    };
    QTimer::singleShot(25, watch);
    d.deleteButton()->click();
    // Let the watch run out so it never meets a later box.
    while (ticks < 40) {
        QApplication::processEvents(QEventLoop::AllEvents, 25);
    }
    return shown;
}

std::vector<std::string> textsOf(const std::vector<Shown>& shown) {
    std::vector<std::string> texts;
    for (const Shown& s : shown) {
        texts.push_back(s.text);
    }
    return texts;
}

class GradelessonInitDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(std::vector<store::CoursenameRow>{{"语文"}, {"数学"}});
        store::CCCRecord().append(kPlans);
        store::CGLRecord().append(kLessons);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(GradelessonInitDialogTest, DeletesTheChosenClassAfterTheQuestionAndStaysOpen) {
    openFromMenu<GradelessonInitDialog>(m_window, kEntry, [&](GradelessonInitDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段课程初始化");
        ASSERT_EQ(d.targetBox()->count(), 126);
        EXPECT_EQ(toStdString(d.targetBox()->itemText(22)), "初二⑴");
        ASSERT_EQ(d.choiceBox()->count(), 4);
        EXPECT_EQ(toStdString(d.choiceBox()->itemText(2)), "所有");
        EXPECT_EQ(toStdString(d.choiceBox()->itemText(3)), "课程表");
        EXPECT_EQ(d.targetBox()->currentIndex(), -1);
        EXPECT_EQ(d.buttons()->saveButton(), nullptr);

        EXPECT_EQ(messageFrom([&] { d.deleteButton()->click(); }), "请输入删除年段或班级！");
        choose(*d.targetBox(), "初二⑶");
        EXPECT_EQ(messageFrom([&] { d.deleteButton()->click(); }), "请输入删除学科或课程表！");
        choose(*d.choiceBox(), "所有");

        // Return at the question is 取消: nothing goes.
        const std::vector<Shown> asked = removePressing(d, {Press::Return});
        ASSERT_EQ(asked.size(), 1U);
        EXPECT_EQ(asked[0].caption, "!删除年段或班级课程");
        EXPECT_EQ(asked[0].text,
                  "此操作将全部删除初二⑶的所有全部课程！\n确认否？取消请按“取消”按纽。");
        EXPECT_EQ(asked[0].buttons, (std::vector<std::string>{"确定", "取消"}));
        EXPECT_EQ(asked[0].byDefault, "取消");
        EXPECT_EQ(store::CCCRecord().readAll(), kPlans);
        EXPECT_EQ(store::CGLRecord().readAll(), kLessons);
        EXPECT_EQ(textsOf(removePressing(d, {Press::Cancel})).size(), 1U);
        EXPECT_EQ(store::CCCRecord().readAll(), kPlans);

        m_db.execute("CREATE TRIGGER refuse BEFORE DELETE ON [classcourse] "
                     "BEGIN SELECT RAISE(ABORT, 'plans locked'); END");
        const std::vector<std::string> failed = textsOf(removePressing(d, {Press::Ok}));
        ASSERT_EQ(failed.size(), 2U);
        EXPECT_NE(failed[1].find("plans locked"), std::string::npos) << failed[1];
        EXPECT_EQ(store::CCCRecord().readAll(), kPlans);
        EXPECT_EQ(store::CGLRecord().readAll(), kLessons);
        m_db.execute("DROP TRIGGER refuse");

        const std::vector<Shown> done = removePressing(d, {Press::Ok, Press::Cancel});
        ASSERT_EQ(done.size(), 2U);
        EXPECT_EQ(done[1].caption, "删除信息");
        EXPECT_EQ(done[1].text, "已全部删除初二⑶的所有全部课程");
        EXPECT_EQ(done[1].buttons, (std::vector<std::string>{"确定", "取消"}));
        EXPECT_EQ(store::CCCRecord().readAll(), Plans{kPlans[1]});
        EXPECT_EQ(store::CGLRecord().readAll(), Lessons{kLessons[1]});

        EXPECT_TRUE(d.isVisible());
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    // Nothing escaped the dialog to the command loop.
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(GradelessonInitDialogTest, WithoutCourseNamesTheEntryOnlyTellsWhy) {
    store::CCNRecord().replaceAll({});
    EXPECT_EQ(messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); }),
              "请设置学科课程名称");
    EXPECT_EQ(store::CCCRecord().readAll(), kPlans);
}

} // namespace
