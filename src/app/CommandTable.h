// The command table of the main menu: one row per dialog command, in menu order, with the
// menu it sits in, its caption, its status-bar prompt and the factory that runs its dialog.
// MainWindow builds its menus and tool bar from this table and adds the shell's own
// entries (退出系统, 查看, 帮助) around it.
//
// A factory constructs its dialog, runs it modally (exec) and destroys it; nothing is
// passed in except the parent window (and the mode of Gradecourse) and nothing comes back.
// A row whose factory is empty has no dialog yet: its menu entry and tool-bar button are
// shown disabled. Dialogs are wired in CommandTable.cpp, one line per dialog.
//
// runCommand() is the command loop's guard: a store::DbError (or any exception) thrown while
// a dialog opens — typically its record sets failing to open — ends that command, its text is
// shown in a message box, and the program goes on. Exceptions must not escape a dialog's
// slots once exec() runs: Qt's event loop cannot carry them.
#pragma once

#include "core/Messenger.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace app {

using DialogFactory = std::function<void(QWidget* parent)>;
// For Gradecourse, whose one dialog serves two entries: mode 0 = grade plan, 1 = review plan.
using ModeDialogFactory = std::function<void(QWidget* parent, int mode)>;

struct Command {
    std::string menu{};         // caption of the top-level menu
    std::string caption{};      // caption of the entry, "&" marks the mnemonic
    std::string prompt{};       // status-bar prompt; text after "\n" is the tool tip; may be blank
    std::string module{};       // the dialog module the entry opens
    DialogFactory open{};       // empty: no dialog yet, the entry is disabled
    std::string shortcut{};     // portable key text ("Ctrl+X"), blank for none
    int toolBarGroup = -1;      // tool-bar group (0, 1, …), buttons in table order; -1: none
    std::string toolBarGlyph{}; // the character on the tool-bar button
    bool separatorBefore = false; // a menu separator goes before the entry
};

using CommandTable = std::vector<Command>;

// The program's table.
CommandTable commandTable();
// The same table with the given Gradecourse dialog behind both of its entries.
CommandTable commandTable(const ModeDialogFactory& gradecourse);

// A factory for a dialog constructed as Dialog(parent): stack-allocated, so it is destroyed
// when exec() returns.
template <class Dialog> DialogFactory modal() {
    return [](QWidget* parent) {
        Dialog dialog(parent);
        dialog.exec();
    };
}

// The same for a dialog constructed as Dialog(mode, parent).
template <class Dialog> ModeDialogFactory modalWithMode() {
    return [](QWidget* parent, int mode) {
        Dialog dialog(mode, parent);
        dialog.exec();
    };
}

// Binds the mode; an empty factory stays empty.
DialogFactory withMode(const ModeDialogFactory& factory, int mode);

// Runs the factory; an exception's text goes to the messenger. False when one was thrown.
bool runCommand(const DialogFactory& open, QWidget* parent, ui::Messenger& messenger);

} // namespace app
