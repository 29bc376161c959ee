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
#include "cli/DemoSchool.h"
#include "widgets/TextConvert.h"

#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

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

} // namespace
