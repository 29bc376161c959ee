#include "maintain/TeachertableDialog.h"

#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

namespace maintain {
namespace {

using widgets::toQString;

constexpr int kColumnWidth = 80;

} // namespace

TeachertableDialog::TeachertableDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Teachertable::kTitle));
    m_logic.load();

    m_week = new QTableWidget(school::kPeriods, school::kDays, this);
    QStringList days;
    for (const std::string_view day : school::kDayNames) {
        days.append(toQString(std::string(day)));
    }
    m_week->setHorizontalHeaderLabels(days);
    m_week->verticalHeader()->hide();
    m_week->setShowGrid(true);
    m_week->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_week->setSelectionMode(QAbstractItemView::SingleSelection);
    m_week->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_week->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_week->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    m_week->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_week->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int period = 0; period < school::kPeriods; ++period) {
        for (int day = 0; day < school::kDays; ++day) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            m_week->setItem(period, day, item);
        }
    }
    const int frame = 2 * m_week->frameWidth();
    m_week->setFixedSize(school::kDays * kColumnWidth + frame,
                         m_week->horizontalHeader()->sizeHint().height() +
                             school::kPeriods * m_week->verticalHeader()->defaultSectionSize() +
                             frame);

    m_teacher = new QComboBox(this);
    for (const std::string& name : m_logic.teachers()) {
        m_teacher->addItem(toQString(name));
    }
    m_teacher->setPlaceholderText(QStringLiteral("选择教师"));
    m_teacher->setCurrentIndex(-1);
    m_teacher->setMinimumContentsLength(6);

    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_teacher);
    controls->addStretch(1);
    controls->addWidget(m_buttons);

    m_clashes = new QLabel(this);
    auto* clashRow = new QHBoxLayout;
    clashRow->addWidget(new QLabel(QStringLiteral("碰课："), this));
    clashRow->addWidget(m_clashes, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_week);
    layout->addLayout(clashRow);
    layout->addLayout(controls);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_teacher, &QComboBox::currentIndexChanged, this, &TeachertableDialog::chooseTeacher);
}

void TeachertableDialog::run(QWidget* parent) {
    TeachertableDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

void TeachertableDialog::chooseTeacher(int index) {
    bool arranged = true;
    ui::reported(m_messenger, [&] { arranged = m_logic.chooseTeacher(index); });
    showWeek();
    if (!arranged) {
        reject();
    }
}

void TeachertableDialog::showWeek() {
    for (int period = 1; period <= school::kPeriods; ++period) {
        for (int day = 1; day <= school::kDays; ++day) {
            m_week->item(period - 1, day - 1)->setText(toQString(m_logic.cell(day, period)));
        }
    }
    QStringList codes;
    for (const int code : m_logic.clashCodes()) {
        codes.append(QString::number(code));
    }
    m_clashes->setText(codes.join(QLatin1Char(' ')));
}

} // namespace maintain
