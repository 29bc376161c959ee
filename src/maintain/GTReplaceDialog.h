// GTReplaceDialog ("年段任课教师替换"): the lists "原任课年段" and "新任课年段" of the six grades,
// nothing chosen at first, and the buttons 替换 (carry the teachers over, the dialog stays
// open), 确定 (the same, then close) and 取消 (close, nothing written). All rules live in
// maintain::GTReplace; this class copies the choices into it. When the new grade is not planned
// the message shows and the dialog closes; a refusal, a declined question or a failure (the
// driver's text shown) keeps it open.
#pragma once

#include "maintain/GTReplace.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace maintain {

class GTReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit GTReplaceDialog(QWidget* parent = nullptr);

    QComboBox* formerBox() const { return m_former; }
    QComboBox* newBox() const { return m_new; }
    QPushButton* replaceButton() const { return m_replace; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    // True when done; the dialog has been closed when the new grade is not planned.
    bool replace();

    widgets::QtMessenger m_messenger;
    GTReplace m_logic;
    QComboBox* m_former = nullptr;
    QComboBox* m_new = nullptr;
    QPushButton* m_replace = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace maintain
