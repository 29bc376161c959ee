#include "maintain/TReplaceDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace maintain {
namespace {

using widgets::toQString;
using widgets::toStdString;

QComboBox* entryBox(const std::vector<std::string>& entries, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setLineEdit(new widgets::GbkLineEdit(TReplace::kNameBytes, box));
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& entry : entries) {
        box->addItem(toQString(entry));
    }
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(8);
    box->setMaxVisibleItems(20);
    return box;
}

} // namespace

TReplaceDialog::TReplaceDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(TReplace::kTitle));
    m_logic.load();

    m_grade = entryBox(TReplace::grades(), this);
    m_class = entryBox(TReplace::classTexts(), this);
    m_former = entryBox(m_logic.teachers(), this);
    m_new = entryBox(m_logic.teachers(), this);

    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(12);
    boxes->setVerticalSpacing(8);
    int row = 0;
    for (const auto& [label, box] : {std::pair{QStringLiteral("  年     段  "), m_grade},
                                     std::pair{QStringLiteral("  班       级  "), m_class},
                                     std::pair{QStringLiteral("原任课教师"), m_former},
                                     std::pair{QStringLiteral("新任课教师"), m_new}}) {
        boxes->addWidget(new QLabel(label, this), row, 0);
        boxes->addWidget(box, row, 1);
        ++row;
    }

    m_replace = new QPushButton(QStringLiteral("替  换"), this);
    m_replace->setAutoDefault(false);
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return replace(); },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    m_buttons->okButton()->setText(QStringLiteral("确    定"));
    m_buttons->cancelButton()->setText(QStringLiteral("取  消"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_replace);
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addSpacing(12);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_replace, &QPushButton::clicked, this, &TReplaceDialog::replace);
}

void TReplaceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // Once the dialog is on screen, so the message stands in front of it.
        QTimer::singleShot(0, this, [this] { m_logic.reportEmptyRoster(); });
    }
}

bool TReplaceDialog::replace() {
    const TReplace::Request request{
        .grade = toStdString(m_grade->currentText()),
        .classText = toStdString(m_class->currentText()),
        .former = toStdString(m_former->currentText()),
        .replacement = toStdString(m_new->currentText()),
    };
    bool replaced = false;
    ui::reported(m_messenger, [&] { replaced = m_logic.replace(request); });
    return replaced;
}

} // namespace maintain
