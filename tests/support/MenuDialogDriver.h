// Test support for the dialog tests: open a dialog the way the user does, from
// the main window's menu, and drive it while it runs modally.
//
// openFromMenu<Dialog>(window, caption, drive) triggers the entry; as soon as the dialog's
// event loop runs, drive gets the active modal widget as Dialog. A dialog that does not open
// (wrong type, or none) or that drive leaves open is a test failure; a dialog left open is
// closed so the test never hangs.
#pragma once

#include "app/MainWindow.h"
#include "widgets/TextConvert.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace dialogtest {

// The main window's entry with this caption, or null.
inline QAction* menuEntry(const app::MainWindow& window, const std::string& caption) {
    for (std::size_t row = 0; row < window.commands().size(); ++row) {
        if (window.commands()[row].caption == caption) {
            return window.commandAction(row);
        }
    }
    return nullptr;
}

template <class Dialog>
void openFromMenu(app::MainWindow& window, const std::string& caption,
                  const std::function<void(Dialog&)>& drive) {
    QAction* action = menuEntry(window, caption);
    ASSERT_NE(action, nullptr) << caption;
    ASSERT_TRUE(action->isEnabled()) << caption;
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (QWidget* other = QApplication::activeModalWidget()) {
                other->close();
            }
            return;
        }
        driven = true;
        drive(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << caption << ": the dialog is still open";
            dialog->reject();
        }
    });
    action->trigger();
    EXPECT_TRUE(driven) << caption << ": the dialog did not open";
}

// Runs `act` (which opens a modal widget) and hands that widget to `handle` once it runs.
// Returns whether a modal widget of type W came up; any other modal widget is closed.
template <class W>
bool whileModal(const std::function<void()>& act, const std::function<void(W&)>& handle) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (widget == nullptr) {
            // Something else came up: close it, so the test fails instead of hanging.
            if (QWidget* other = QApplication::activeModalWidget()) {
                other->close();
            }
            return;
        }
        seen = true;
        handle(*widget);
        if (widget->isVisible()) {
            widget->close();
        }
    });
    act();
    return seen;
}

// Runs `act`, expecting it to show one message box; returns its text ("" when none came) after
// closing it with its button.
inline std::string messageFrom(const std::function<void()>& act) {
    std::string text;
    whileModal<QMessageBox>(act, [&](QMessageBox& box) {
        text = widgets::toStdString(box.text());
        box.buttons().front()->click();
    });
    return text;
}

// The same for a question: answers it with the given button and returns its text.
inline std::string messageFromAnswer(const std::function<void()>& act,
                                     QMessageBox::StandardButton answer) {
    std::string text;
    whileModal<QMessageBox>(act, [&](QMessageBox& box) {
        text = widgets::toStdString(box.text());
        if (QAbstractButton* button = box.button(answer)) {
            button->click();
        } else {
            ADD_FAILURE() << "the message box has no such button: " << text;
            box.buttons().front()->click();
        }
    });
    return text;
}

// The same for an act that runs the event loop before its box comes up (a job reporting its
// progress): the box is looked for every few milliseconds instead of once, so an event
// processed meanwhile never meets a handler meant for the box. Answers with the given
// button, or the first one when it is NoButton.
inline std::string messageAfterEvents(const std::function<void()>& act,
                                      QMessageBox::StandardButton answer = QMessageBox::NoButton) {
    std::string text;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        poll.stop();
        text = widgets::toStdString(box->text());
        QAbstractButton* button =
            answer == QMessageBox::NoButton ? box->buttons().front() : box->button(answer);
        (button ? button : box->buttons().front())->click();
    });
    poll.start();
    act();
    poll.stop();
    return text;
}

// Types text into the focused-to widget one character at a time, as key events carrying the
// text (QTest::keyClicks cannot type Chinese).
inline void typeText(QWidget* widget, const QString& text) {
    widget->setFocus();
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

} // namespace dialogtest
