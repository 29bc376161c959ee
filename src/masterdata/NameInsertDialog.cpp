#include "masterdata/NameInsertDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace masterdata {

NameInsertDialog::NameInsertDialog(QWidget* parent) : QDialog(parent), m_messenger(this) {
    setWindowTitle(QString());

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(widgets::toQString(NameInsert::kPrompt), this);
    layout->addWidget(prompt);

    m_name = new QComboBox(this);
    m_name->setEditable(true);
    m_name->setLineEdit(new widgets::GbkLineEdit(NameInsert::kBoxBytes, m_name));
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setMinimumWidth(
        m_name->fontMetrics().horizontalAdvance(QStringLiteral("请输入新教师名字")));
    prompt->setBuddy(m_name);
    layout->addWidget(m_name);
    layout->addSpacing(6);

    m_buttons = new widgets::DialogButtons(
        *this, m_messenger,
        [this] {
            m_logic.accept(widgets::toStdString(m_name->currentText()));
            return true;
        },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    layout->addWidget(m_buttons);
    m_name->setFocus();
}

} // namespace masterdata
