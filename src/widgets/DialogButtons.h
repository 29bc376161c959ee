// DialogButtons: the button row the master-data and planning dialogs share.
//   存盘  calls save() and keeps the dialog open;
//   确定  calls save() and closes the dialog (accept) only when the save succeeded, so a
//         failed save never throws the user's edits away;
//   取消  closes the dialog (reject) without writing; Esc does the same.
// save() returns false when it did not save (it has already told the user why); an empty
// save function makes 确定 a plain close for the dialogs whose 确定 writes nothing. An
// exception escaping save() is caught here, its text shown through the messenger, and
// counts as a failed save: nothing may unwind through Qt's event loop.
// 确定 is the default button (Enter), as on the original dialogs. A dialog that lacks
// one of the buttons passes the ones it has.
#pragma once

#include "core/Messenger.h"

#include <QFlags>
#include <QWidget>

#include <functional>

class QDialog;
class QPushButton;

namespace widgets {

class DialogButtons : public QWidget {
    Q_OBJECT
public:
    enum Button { Save = 0x1, Ok = 0x2, Cancel = 0x4 };
    Q_DECLARE_FLAGS(Buttons, Button)

    using SaveFunction = std::function<bool()>;

    // dialog and messenger must outlive the row; the row becomes a child of dialog.
    DialogButtons(QDialog& dialog, ui::Messenger& messenger, SaveFunction save,
                  Buttons buttons = Buttons(Save | Ok | Cancel));

    // Null for a button the row does not have.
    QPushButton* saveButton() const { return m_save; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // What the buttons do, callable by code as well.
    bool save();
    void saveAndClose();

private:
    QDialog& m_dialog;
    ui::Messenger& m_messenger;
    SaveFunction m_saveFunction;
    QPushButton* m_save = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace widgets

Q_DECLARE_OPERATORS_FOR_FLAGS(widgets::DialogButtons::Buttons)
