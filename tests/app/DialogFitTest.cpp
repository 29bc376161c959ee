// Every dialog of the menu opens whole on a 1366 × 768 laptop screen (the task bar and title
// leave 740 px): opened from the main window on the demo school, neither its shown size nor
// the size it asks for (its size hint and its minimum) may exceed 1366 × 740. Messages a dialog
// shows first are answered and the dialog measured behind them.
//
// With TAVLEN_SHOT_DIR set (and a real display such as Xvfb) each dialog's screen is saved
// there as a PNG named after its module, for looking at by eye.
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "arrange/GradelessonDialog.h"
#include "cli/DemoSchool.h"
#include "core/SchoolNames.h"
#include "timetable/SchoolTimetableStore.h"
#include "widgets/TextConvert.h"

#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr QSize kScreen(1366, 740);

struct Measured {
    std::string title;
    QSize size;
    int messages = 0;
};

// Runs the entry; measures the first dialog that is not a message box and closes it.
Measured measure(QAction* entry, const std::string& shotName) {
    Measured measured;
    std::function<void()> look = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            ++measured.messages;
            box->buttons().front()->click();
            if (measured.messages < 5) {
                QTimer::singleShot(0, look);
            }
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (dialog == nullptr) {
            return;
        }
        measured.title = widgets::toStdString(dialog->windowTitle());
        measured.size = dialog->size()
                            .expandedTo(dialog->sizeHint())
                            .expandedTo(dialog->minimumSizeHint())
                            .expandedTo(dialog->minimumSize());
        if (const QByteArray dir = qgetenv("TAVLEN_SHOT_DIR"); !dir.isEmpty()) {
            // Something to look at: the first entry of a browse list's selector, the first sort.
            if (measured.title.find("浏览") != std::string::npos) {
                for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
                    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
                }
            }
            for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("班级排序")) {
                    button->click();
                }
            }
            QApplication::processEvents();
            QApplication::primaryScreen()->grabWindow(0).save(QString::fromUtf8(dir) + u'/' +
                                                              QString::fromStdString(shotName) +
                                                              QStringLiteral(".png"));
        }
        dialog->reject();
        if (dialog->isVisible()) { // a dialog that asks before it closes
            QTimer::singleShot(0, look);
        }
    };
    QTimer::singleShot(0, look);
    entry->trigger();
    return measured;
}

TEST(DialogFitTest, EveryDialogOfTheMenuFitsALaptopScreen) {
    const QFont platformFont = QApplication::font();
    app::installFonts(); // the program's typeface, as the program starts
    testsupport::TempDatabase db;
    cli::storeDemoSchool(cli::makeDemoSchool());
    testsupport::RecordingMessenger messenger;
    app::MainWindow window(app::commandTable(), {&messenger, [](const QUrl&) { return true; }});

    int measured = 0;
    for (std::size_t row = 0; row < window.commands().size(); ++row) {
        const app::Command& command = window.commands()[row];
        if (!command.open) {
            continue;
        }
        const Measured m =
            measure(window.commandAction(row), "21b-" + command.module + "-" + std::to_string(row));
        SCOPED_TRACE(command.caption);
        ASSERT_FALSE(m.title.empty()) << "no dialog opened";
        EXPECT_LE(m.size.width(), kScreen.width()) << m.title;
        EXPECT_LE(m.size.height(), kScreen.height()) << m.title;
        ++measured;
    }
    EXPECT_TRUE(messenger.entries().empty());
    EXPECT_GE(measured, 30);
    QApplication::setFont(platformFont);
}

// The remaining clashes of the status line ("剩余：碰课 3 处，…").
int clashesIn(const QString& status) {
    const std::string text = widgets::toStdString(status);
    const std::string head = "碰课 ";
    const std::size_t at = text.find(head);
    return at == std::string::npos ? -1 : std::stoi(text.substr(at + head.size()));
}

void shoot(const char* name) {
    if (const QByteArray dir = qgetenv("TAVLEN_SHOT_DIR"); !dir.isEmpty()) {
        QApplication::processEvents();
        QApplication::primaryScreen()->grabWindow(0).save(QString::fromUtf8(dir) + u'/' +
                                                          QString::fromUtf8(name));
    }
}

// The week view of 年段课程编排 fits the same screen, its grid scrolling vertically at most, on
// the demo school after 重新编排 and on a grade of twenty classes. On the demo school a
// clashing lesson is picked up, the pointer goes over a green target holding another teacher
// (both teachers' weeks beside the grid), and the drop there takes one clash off the status
// line; undo puts it back. With TAVLEN_SHOT_DIR set the screens are saved.
TEST(DialogFitTest, TheGradeWeekViewFitsALaptopScreen) {
    const QFont platformFont = QApplication::font();
    app::installFonts();
    testsupport::TempDatabase db;
    cli::storeDemoSchool(cli::makeDemoSchool());
    const auto fits = [](const QDialog& d) {
        const QSize size = d.size()
                               .expandedTo(d.sizeHint())
                               .expandedTo(d.minimumSizeHint())
                               .expandedTo(d.minimumSize());
        EXPECT_LE(size.width(), kScreen.width());
        EXPECT_LE(size.height(), kScreen.height());
    };
    {
        arrange::GradelessonDialog dialog;
        dialog.setGeometry(QRect(QPoint(0, 0), kScreen));
        dialog.show();
        dialog.button(QStringLiteral("重新编排"))->click();
        dialog.weekToggle()->click();
        fits(dialog);
        arrange::WeekGridWidget* grid = dialog.weekGrid();
        const arrange::WeekGridView& week = dialog.logic().weekView();
        ASSERT_EQ(week.rows.size(), 12u);
        const int before = clashesIn(dialog.statusLabel()->text());
        ASSERT_GT(before, 0) << "the faithful engine leaves clashes on the demo school";

        // the first clashing lesson with a green target holding another teacher
        std::optional<arrange::GridPlace> picked;
        std::optional<arrange::GridPlace> target;
        int row = 0;
        for (std::size_t r = 0; r < week.rows.size() && !target; ++r) {
            for (int cell = 0; cell < 35 && !target; ++cell) {
                if (week.rows[r].cells[static_cast<std::size_t>(cell)].mark !=
                    arrange::CellMark::Clash) {
                    continue;
                }
                row = static_cast<int>(r);
                QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier,
                                  grid->cellRect(row, cell / 7, cell % 7 + 1).center());
                for (int to = 0; to < 35 && !target; ++to) {
                    const arrange::WeekCell& c =
                        dialog.logic().weekView().rows[r].cells[static_cast<std::size_t>(to)];
                    if (c.shade == arrange::Shade::Green && !c.teacher.empty()) {
                        picked = arrange::GridPlace{week.rows[r].position, cell / 7, cell % 7 + 1};
                        target = arrange::GridPlace{week.rows[r].position, to / 7, to % 7 + 1};
                    }
                }
                dialog.logic().cancelPick();
            }
        }
        ASSERT_TRUE(target) << "no clashing lesson with a green target";
        const QPoint from = grid->cellRect(row, picked->day, picked->period).center();
        const QPoint to = grid->cellRect(row, target->day, target->period).center();
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(grid, to);
        ASSERT_TRUE(grid->dragging());
        EXPECT_TRUE(dialog.logic().weekView().pickedTeacher);
        EXPECT_TRUE(dialog.logic().weekView().targetTeacher);
        shoot("25-week-view-picked.png");
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, to);
        EXPECT_LT(clashesIn(dialog.statusLabel()->text()), before);
        shoot("25-week-view-dropped.png");
        dialog.button(QStringLiteral("撤  销"))->click();
        EXPECT_EQ(clashesIn(dialog.statusLabel()->text()), before);
        dialog.logic().save(); // the arranged demo school, for the grade of twenty below
    }
    // twenty classes in 初一: the demo's twelve and eight more of the same weeks
    school::SchoolTimetable t = timetable::loadSchoolTimetable();
    for (int c = 12; c < school::kMaxClasses; ++c) {
        t.week(0, c) = t.week(0, c - 12);
        for (int d = 0; d < school::kDays; ++d) {
            t.cell(0, c, d, 0) = school::className(0, c + 1);
        }
    }
    timetable::saveSchoolTimetable(t);
    arrange::GradelessonDialog dialog;
    dialog.setGeometry(QRect(QPoint(0, 0), kScreen));
    dialog.show();
    dialog.weekToggle()->click();
    EXPECT_EQ(dialog.logic().weekView().rows.size(), 20u);
    fits(dialog);
    QTest::mouseClick(dialog.weekGrid(), Qt::LeftButton, Qt::NoModifier,
                      dialog.weekGrid()->cellRect(0, 1, 2).center());
    shoot("25-week-view-20-classes.png");
    dialog.logic().cancelPick();
    QApplication::setFont(platformFont);
}

} // namespace
