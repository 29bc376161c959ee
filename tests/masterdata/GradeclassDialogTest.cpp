// The class-count dialog opened from 系统设置 → 年段班级编辑: two columns of grades, digits
// only, a refused value keeping the dialog open with the focus on its box and nothing
// written, 确定 saving, 取消 writing nothing.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/GradeclassDialog.h"
#include "store/CGSRecord.h"
#include "widgets/DialogButtons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::openFromMenu;
using masterdata::GradeclassDialog;
using Row = store::GradeclassRow;
using widgets::toStdString;

std::vector<Row> stored() {
    store::CGSRecord rs;
    return rs.readAll();
}

class GradeclassDialogTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(GradeclassDialogTest, RefusedValueKeepsTheDialogOpenThenOkSaves) {
    store::CGSRecord seed;
    seed.append(std::vector<Row>{{"初二", 5}, {"初 三", 4}});
    openFromMenu<GradeclassDialog>(m_window, "年段班级编辑", [](GradeclassDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "各个年段的班级数设置");
        // Junior grades on the left, senior grades on the right, top to bottom.
        const std::vector<std::string> labels = {"初一年段", "初二年段", "初三年段",
                                                 "高一年段", "高二年段", "高三年段"};
        for (int g = 0; g < 6; ++g) {
            if (g < 3) {
                EXPECT_LT(d.box(g)->x(), d.box(g + 3)->x());
                EXPECT_EQ(d.box(g)->y(), d.box(g + 3)->y());
            }
            int found = 0;
            for (const QLabel* label : d.findChildren<QLabel*>()) {
                if (label->buddy() == d.box(g)) {
                    ++found;
                    EXPECT_EQ(toStdString(label->text()), labels[static_cast<std::size_t>(g)]);
                    EXPECT_LT(label->x(), d.box(g)->x());
                }
            }
            EXPECT_EQ(found, 1) << g;
        }
        EXPECT_LT(d.box(0)->y(), d.box(1)->y());
        EXPECT_EQ(d.box(1)->text(), QStringLiteral("5"));
        EXPECT_EQ(d.box(2)->text(), QStringLiteral("0"));

        // Digits only.
        d.box(0)->clear();
        QTest::keyClicks(d.box(0), QStringLiteral("1a2"));
        EXPECT_EQ(d.box(0)->text(), QStringLiteral("12"));

        d.box(4)->clear();
        QTest::keyClicks(d.box(4), QStringLiteral("21"));
        EXPECT_EQ(dialogtest::messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "请输入一个 0 到 20 之间的整数。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.box(4));

        d.box(4)->clear(); // empty is refused as well
        EXPECT_EQ(dialogtest::messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "请输入一个 0 到 20 之间的整数。");
        EXPECT_TRUE(d.isVisible());

        QTest::keyClicks(d.box(4), QStringLiteral("20"));
        d.box(1)->setText(QStringLiteral("0"));
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (std::vector<Row>{{"初一", 12}, {"高二", 20}}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(GradeclassDialogTest, RefusedOkWritesNothingAndCancelWritesNothing) {
    store::CGSRecord seed;
    seed.append(std::vector<Row>{{"高一", 6}});
    openFromMenu<GradeclassDialog>(m_window, "年段班级编辑", [](GradeclassDialog& d) {
        d.box(0)->setText(QStringLiteral("3"));
        d.box(5)->setText(QStringLiteral("99"));
        dialogtest::messageFrom([&] { d.buttons()->okButton()->click(); });
        EXPECT_EQ(stored(), (std::vector<Row>{{"高一", 6}}));
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (std::vector<Row>{{"高一", 6}}));
}

} // namespace
