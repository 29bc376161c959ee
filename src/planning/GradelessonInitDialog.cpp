#include "planning/GradelessonInitDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace planning {
namespace {

using widgets::toQString;
using widgets::toStdString;

QComboBox* makeSelector(const std::vector<std::string>& entries, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const std::string& entry : entries) {
        box->addItem(toQString(entry));
    }
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(8);
    box->setMaxVisibleItems(21);
    return box;
}

} // namespace

GradelessonInitDialog::GradelessonInitDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(GradelessonInit::kTitle));
    m_logic.load();

    m_target = makeSelector(GradelessonInit::targets(), this);
    m_choice = makeSelector(m_logic.choices(), this);

    auto* selectors = new QGridLayout;
    selectors->addWidget(new QLabel(QStringLiteral("年段"), this), 0, 0);
    selectors->addWidget(m_target, 0, 1);
    selectors->addWidget(new QLabel(QStringLiteral("学科"), this), 1, 0);
    selectors->addWidget(m_choice, 1, 1);

    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_delete->setAutoDefault(false);
    // 确定 writes nothing here: it closes, as 取消 does.
    m_buttons =
        new widgets::DialogButtons(*this, m_messenger, {},
                                   widgets::DialogButtons::Buttons(widgets::DialogButtons::Ok |
                                                                   widgets::DialogButtons::Cancel));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_delete);
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selectors);
    layout->addSpacing(12);
    layout->addLayout(bottom);

    connect(m_delete, &QPushButton::clicked, this, &GradelessonInitDialog::removeChosen);
}

void GradelessonInitDialog::run(QWidget* parent) {
    GradelessonInitDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

void GradelessonInitDialog::removeChosen() {
    m_logic.setTarget(toStdString(m_target->currentText()));
    m_logic.setChoice(toStdString(m_choice->currentText()));
    ui::reported(m_messenger, [this] { m_logic.remove(); });
}

} // namespace planning
