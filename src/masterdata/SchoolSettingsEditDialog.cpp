#include "masterdata/SchoolSettingsEditDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace masterdata {
namespace {

using widgets::toQString;
using widgets::toStdString;

QLineEdit* timeBox(QWidget* parent, QValidator* validator) {
    auto* box = new QLineEdit(parent);
    box->setValidator(validator);
    box->setMaxLength(5);
    box->setPlaceholderText(QStringLiteral("08:00"));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 16);
    return box;
}

} // namespace

SchoolSettingsEditDialog::SchoolSettingsEditDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(SchoolSettingsEdit::kTitle));

    m_name = new widgets::GbkLineEdit(SchoolSettingsEdit::kNameBytes, this);
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QString(20, QChar(0x4E2D))));
    m_date = new QLineEdit(this);
    m_date->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), this));
    m_date->setMaxLength(10);
    m_date->setPlaceholderText(QStringLiteral("2024-09-02"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("学校名称"), m_name);
    form->addRow(QStringLiteral("第一周星期一"), m_date);

    auto* times = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,2}:?[0-9]{0,2}")), this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("开始"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("结束"), this), 0, 2);
    for (int p = 0; p < school::kPeriods; ++p) {
        const auto i = static_cast<std::size_t>(p);
        m_starts[i] = timeBox(this, times);
        m_ends[i] = timeBox(this, times);
        m_halves[i] = new QComboBox(this);
        m_halves[i]->addItems(
            {toQString(SchoolSettingsEdit::kMorning), toQString(SchoolSettingsEdit::kAfternoon)});
        grid->addWidget(new QLabel(toQString(SchoolSettingsEdit::periodLabel(p)), this), p + 1, 0);
        grid->addWidget(m_starts[i], p + 1, 1);
        grid->addWidget(m_ends[i], p + 1, 2);
        grid->addWidget(m_halves[i], p + 1, 3);
    }
    grid->setColumnStretch(4, 1);

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(m_buttons);
    show(m_logic.settings());
}

void SchoolSettingsEditDialog::show(const school::SchoolSettings& settings) {
    m_name->setText(toQString(settings.schoolName));
    m_date->setText(toQString(settings.weekOneMonday));
    for (std::size_t i = 0; i < settings.periods.size(); ++i) {
        m_starts[i]->setText(toQString(settings.periods[i].start));
        m_ends[i]->setText(toQString(settings.periods[i].end));
        m_halves[i]->setCurrentIndex(settings.periods[i].afternoon ? 1 : 0);
    }
}

school::SchoolSettings SchoolSettingsEditDialog::shown() const {
    school::SchoolSettings settings;
    settings.schoolName = toStdString(m_name->text());
    settings.weekOneMonday = toStdString(m_date->text());
    for (std::size_t i = 0; i < settings.periods.size(); ++i) {
        settings.periods[i] = {toStdString(m_starts[i]->text()), toStdString(m_ends[i]->text()),
                               m_halves[i]->currentIndex() == 1};
    }
    return settings;
}

QLineEdit* SchoolSettingsEditDialog::field(int index) const {
    if (index == SchoolSettingsEdit::kNameField) {
        return m_name;
    }
    if (index == SchoolSettingsEdit::kDateField) {
        return m_date;
    }
    const int period = (index - SchoolSettingsEdit::startField(0)) / 2;
    return index == SchoolSettingsEdit::startField(period) ? startBox(period) : endBox(period);
}

bool SchoolSettingsEditDialog::save() {
    if (const std::optional<int> refused = m_logic.take(shown())) {
        QLineEdit* box = field(*refused);
        box->setFocus();
        box->selectAll();
        return false;
    }
    if (!m_logic.save()) {
        return false;
    }
    show(m_logic.settings()); // in their written form
    return true;
}

void SchoolSettingsEditDialog::reject() {
    if (m_logic.mayClose(shown())) {
        QDialog::reject();
    }
}

} // namespace masterdata
