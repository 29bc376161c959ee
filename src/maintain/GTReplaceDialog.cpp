#include "maintain/GTReplaceDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace maintain {
namespace {

using widgets::toQString;
using widgets::toStdString;

QComboBox* gradeList(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const std::string& grade : GTReplace::grades()) {
        box->addItem(toQString(grade));
    }
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(6);
    return box;
}

} // namespace

GTReplaceDialog::GTReplaceDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(GTReplace::kTitle));

    m_former = gradeList(this);
    m_new = gradeList(this);
    auto* selectors = new QGridLayout;
    selectors->setHorizontalSpacing(12);
    selectors->addWidget(new QLabel(QStringLiteral("原任课年段"), this), 0, 0);
    selectors->addWidget(m_former, 0, 1);
    selectors->addWidget(new QLabel(QStringLiteral("新任课年段"), this), 1, 0);
    selectors->addWidget(m_new, 1, 1);

    m_replace = new QPushButton(QStringLiteral("替换"), this);
    m_replace->setAutoDefault(false);
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return replace(); },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_replace);
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selectors);
    layout->addSpacing(12);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_replace, &QPushButton::clicked, this, &GTReplaceDialog::replace);
}

bool GTReplaceDialog::replace() {
    m_logic.setFormerGrade(toStdString(m_former->currentText()));
    m_logic.setNewGrade(toStdString(m_new->currentText()));
    GTReplace::Outcome outcome = GTReplace::Outcome::Stopped;
    ui::reported(m_messenger, [&] { outcome = m_logic.replace(); });
    if (outcome == GTReplace::Outcome::Close) {
        reject();
    }
    return outcome == GTReplace::Outcome::Done;
}

} // namespace maintain
