#include "attendance/AttendancemonthDialog.h"

#include "core/Reported.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace attendance {

AttendancemonthDialog::AttendancemonthDialog(QWidget* parent)
    : WorkloadTableDialog(Attendancemonth::kTitle, reports::ReportKind::Monthly, parent),
      m_logic(m_messenger) {
    QHBoxLayout* row = inputRow();
    const auto box = [this, row](const QString& caption) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(4);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit);
        row->addSpacing(12);
        return edit;
    };
    m_month = box(QStringLiteral("月  份:"));
    m_start = box(QStringLiteral("起始周:"));
    m_end = box(QStringLiteral("终止周:"));
    m_refresh = new QPushButton(QStringLiteral("刷新"), this);
    m_refresh->setAutoDefault(false);
    row->addWidget(m_refresh);
    row->addStretch(1);
    connect(m_refresh, &QPushButton::clicked, this, &AttendancemonthDialog::refresh);
    m_month->setFocus();
}

void AttendancemonthDialog::refresh() {
    using widgets::toStdString;
    Attendancemonth::Outcome outcome = Attendancemonth::Outcome::Refused;
    if (!ui::reported(m_messenger, [&] {
            outcome = m_logic.count(toStdString(m_month->text()), toStdString(m_start->text()),
                                    toStdString(m_end->text()));
        })) {
        return;
    }
    switch (outcome) {
    case Attendancemonth::Outcome::Counted:
        showWorkload(m_logic.workload());
        break;
    case Attendancemonth::Outcome::Refused: {
        QLineEdit* refused = m_logic.refusedBox() == Attendancemonth::Box::Month       ? m_month
                             : m_logic.refusedBox() == Attendancemonth::Box::StartWeek ? m_start
                                                                                       : m_end;
        refused->setFocus();
        refused->selectAll();
        break;
    }
    case Attendancemonth::Outcome::Closed:
        reject();
        break;
    }
}

} // namespace attendance
