#include "maintain/TeachertableDialog.h"

#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "publish/PageBuilder.h"
#include "publish/PageButtons.h"
#include "publish/SchoolSource.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"
#include "widgets/WeekTable.h"

#include <QComboBox>
#include <QHBoxLayout>
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

    m_week = widgets::makeWeekTable(this);
    std::vector<std::string> days(school::kDayNames.begin(), school::kDayNames.end());
    widgets::setWeekDays(m_week, days, kColumnWidth);
    for (int period = 1; period <= school::kPeriods; ++period) {
        for (int day = 0; day < school::kDays; ++day) {
            widgets::setWeekCell(m_week, day, period, {});
        }
    }
    m_week->setFixedSize(m_week->minimumSize());

    m_teacher = new QComboBox(this);
    for (const std::string& name : m_logic.teachers()) {
        m_teacher->addItem(toQString(name));
    }
    m_teacher->setPlaceholderText(QStringLiteral("选择教师"));
    m_teacher->setCurrentIndex(-1);
    m_teacher->setMinimumContentsLength(6);

    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    // Beyond the described window: 打印 and 导出 of the chosen teacher's published week.
    m_pageButtons = new publish::PageButtons(this, m_messenger, [this](std::string& whyNot) {
        std::optional<publish::Page> page;
        if (m_logic.teacher().empty()) {
            whyNot = "请先选择教师。";
        } else if (!(page = publish::teacherPage(publish::loadSchoolSource(), m_logic.teacher()))) {
            whyNot = m_logic.teacher() + "本周没有课。";
        }
        return page;
    });
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_teacher);
    controls->addWidget(m_pageButtons);
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
            widgets::setWeekCell(m_week, day - 1, period, m_logic.shown(day, period));
        }
    }
    QStringList codes;
    for (const int code : m_logic.clashCodes()) {
        codes.append(QString::number(code));
    }
    m_clashes->setText(codes.join(QLatin1Char(' ')));
}

} // namespace maintain
