// NameInsertDialog: the small new-name dialog of the teacher roster. No title; the prompt
// "请输入新教师名字", an editable combo box with an empty list whose text is capped at a
// teacher name's 6 GBK bytes, then 确定 and 取消. result() is the typed text after 确定 and
// nothing after 取消 (masterdata::NameInsert).
#pragma once

#include "masterdata/NameInsert.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;

namespace widgets {
class DialogButtons;
} // namespace widgets

namespace masterdata {

class NameInsertDialog : public QDialog {
    Q_OBJECT
public:
    explicit NameInsertDialog(QWidget* parent = nullptr);

    QComboBox* nameBox() const { return m_name; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

    const std::optional<std::string>& result() const { return m_logic.result(); }

private:
    widgets::QtMessenger m_messenger;
    NameInsert m_logic;
    QComboBox* m_name = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
