// The course-property dialog opened from 课程设置 → 课程性质设置: grade selector with nothing
// chosen, twenty pairs in 5 rows of 4, choosing a grade shows its pairs (asking first when
// it would drop unsaved pairs), 存盘 stores the
// grade's pairs (a save without a grade is refused), 确定 and 取消 close without saving;
// without course names the entry shows its message and opens anyway.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/CoursePropertysetDialog.h"
#include "store/CCNRecord.h"
#include "store/CCPRecord.h"
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
using masterdata::CoursePropertysetDialog;
using Rows = std::vector<store::CoursepropertyRow>;
using Names = std::vector<std::string>;
using widgets::toStdString;

constexpr const char* kEntry = "课程性质设置";

Rows stored() {
    return store::CCPRecord().readAll();
}

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

const Rows kSeed = {{"初一", "语文", 1}, {"初二", "数学", 0}, {"初二", "美术", 3}};

class CoursePropertysetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"美术"}, {"信息技术"}});
        store::CCPRecord().append(kSeed);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(CoursePropertysetDialogTest, ChoosesAGradeEditsItsPairsAndSavesThem) {
    openFromMenu<CoursePropertysetDialog>(m_window, kEntry, [](CoursePropertysetDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "课程性质设置");
        int courseHeadings = 0;
        int propertyHeadings = 0;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            courseHeadings += label->text() == QStringLiteral("课程") ? 1 : 0;
            propertyHeadings += label->text() == QStringLiteral("性质") ? 1 : 0;
        }
        EXPECT_EQ(courseHeadings, 4);
        EXPECT_EQ(propertyHeadings, 4);
        // 5 rows of 4 pairs.
        EXPECT_EQ(d.courseBox(0)->y(), d.courseBox(3)->y());
        EXPECT_LT(d.courseBox(3)->y(), d.courseBox(4)->y());
        EXPECT_LT(d.propertyBox(2)->x(), d.courseBox(3)->x());

        EXPECT_EQ(items(*d.gradeBox()), (Names{"初一", "初二", "初三", "高一", "高二", "高三"}));
        EXPECT_FALSE(d.gradeBox()->isEditable());
        EXPECT_EQ(d.gradeBox()->currentIndex(), -1);
        EXPECT_EQ(items(*d.courseBox(19)), (Names{"语文", "数学", "美术", "信息技术"}));
        EXPECT_TRUE(d.courseBox(19)->isEditable());
        EXPECT_EQ(items(*d.propertyBox(0)), (Names{"考查科", "考试科"}));
        EXPECT_FALSE(d.propertyBox(0)->isEditable());

        // 存盘 before a grade is chosen is refused.
        d.courseBox(0)->setCurrentIndex(0);
        EXPECT_EQ(messageFrom([&] { d.buttons()->saveButton()->click(); }), "请先选择年段!");
        EXPECT_EQ(stored(), kSeed);

        const std::string question = "课程性质已修改，放弃未存盘的修改吗？";
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(1); },
                                                QMessageBox::Yes),
                  question);
        EXPECT_EQ(toStdString(d.courseBox(0)->currentText()), "数学");
        EXPECT_EQ(toStdString(d.propertyBox(0)->currentText()), "考查科");
        EXPECT_EQ(toStdString(d.courseBox(1)->currentText()), "美术");
        EXPECT_EQ(d.propertyBox(1)->currentIndex(), -1); // 3: not set
        EXPECT_EQ(toStdString(d.courseBox(2)->currentText()), "");

        d.propertyBox(0)->setCurrentIndex(1); // 数学 becomes 考试科
        d.courseBox(2)->setCurrentIndex(3);   // 信息技术, no property
        dialogtest::typeText(d.courseBox(7)->lineEdit(), QStringLiteral("书法"));
        d.propertyBox(7)->setCurrentIndex(0);
        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Rows{{"初一", "语文", 1},
                                  {"初二", "数学", 1},
                                  {"初二", "美术", 3},
                                  {"初二", "信息技术", 3},
                                  {"初二", "书法", 0}}));

        // Switching grades asks before it drops unsaved edits: 否 keeps grade and edits, 是
        // shows the other grade.
        d.propertyBox(1)->setCurrentIndex(1);
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(0); },
                                                QMessageBox::No),
                  question);
        EXPECT_EQ(d.gradeBox()->currentIndex(), 1);
        EXPECT_EQ(toStdString(d.propertyBox(1)->currentText()), "考试科");
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(0); },
                                                QMessageBox::Yes),
                  question);
        EXPECT_EQ(toStdString(d.courseBox(0)->currentText()), "语文");
        EXPECT_EQ(toStdString(d.propertyBox(0)->currentText()), "考试科");
        EXPECT_EQ(toStdString(d.courseBox(1)->currentText()), "");
        d.gradeBox()->setCurrentIndex(1);
        EXPECT_EQ(d.propertyBox(1)->currentIndex(), -1);
        EXPECT_EQ(toStdString(d.courseBox(3)->currentText()), "书法");

        // 确定 closes without saving.
        d.propertyBox(1)->setCurrentIndex(1);
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored().size(), 5U);
    EXPECT_EQ(stored()[2], (store::CoursepropertyRow{"初二", "美术", 3}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(CoursePropertysetDialogTest, CancelWritesNothing) {
    openFromMenu<CoursePropertysetDialog>(m_window, kEntry, [](CoursePropertysetDialog& d) {
        d.gradeBox()->setCurrentIndex(0);
        d.courseBox(0)->setEditText(QString());
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), kSeed);
}

TEST_F(CoursePropertysetDialogTest, WithoutCourseNamesItWarnsAndStillOpens) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    std::string message;
    bool opened = false;
    // The message box comes first; once it is closed the dialog runs.
    std::function<void()> handle = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = toStdString(box->text());
            QTimer::singleShot(0, handle);
            box->buttons().front()->click();
        } else if (auto* d = qobject_cast<CoursePropertysetDialog*>(modal)) {
            opened = true;
            EXPECT_EQ(d->courseBox(0)->count(), 0);
            d->buttons()->cancelButton()->click();
        } else if (modal != nullptr) {
            modal->close();
        }
    };
    QTimer::singleShot(0, handle);
    dialogtest::menuEntry(m_window, kEntry)->trigger();
    EXPECT_EQ(message, "请设置学科课程的名称!");
    EXPECT_TRUE(opened);
}

} // namespace
