// TReplaceDialog ("任课教师替换"): the boxes "  年     段  " (the six grades), "  班       级  "
// ("一  班" … "二十班"), "原任课教师" and "新任课教师" (the roster), each a list the user may
// also type into (at most 10 GBK bytes), nothing entered at first; then the buttons 替  换
// (replace, the dialog stays open), 确    定 (replace, then close) and 取  消 (close, nothing
// written). All rules live in maintain::TReplace; this class copies the four texts into it.
// A refusal or a failure (the driver's text shown) keeps the dialog open with what was entered.
//
// Constructing it reads the roster (a store::DbError propagates to the command loop). With an
// empty roster the dialog still opens, says so once it is on screen, and the teacher boxes
// stay empty for typing.
#pragma once

#include "maintain/TReplace.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace maintain {

class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent = nullptr);

    QComboBox* gradeBox() const { return m_grade; }
    QComboBox* classBox() const { return m_class; }
    QComboBox* formerBox() const { return m_former; }
    QComboBox* newBox() const { return m_new; }
    QPushButton* replaceButton() const { return m_replace; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool replace();

    widgets::QtMessenger m_messenger;
    TReplace m_logic;
    QComboBox* m_grade = nullptr;
    QComboBox* m_class = nullptr;
    QComboBox* m_former = nullptr;
    QComboBox* m_new = nullptr;
    QPushButton* m_replace = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
    bool m_shown = false;
};

} // namespace maintain
