#include "masterdata/SamelessonDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace masterdata {
namespace {

using widgets::toQString;
using widgets::toStdString;

QStringList toQStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list.append(toQString(name));
    }
    return list;
}

QComboBox* makeSelector(QWidget* parent, const QStringList& items, std::size_t maxBytes) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setLineEdit(new widgets::GbkLineEdit(maxBytes, box));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setMinimumContentsLength(static_cast<int>(maxBytes));
    box->setCurrentIndex(-1);
    return box;
}

} // namespace

SamelessonDialog::SamelessonDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Samelesson::kTitle));
    m_logic.load();

    const QStringList days = toQStringList(Samelesson::dayChoices());
    const QStringList periods = toQStringList(Samelesson::periodChoices());
    const QStringList courses = toQStringList(m_logic.courseChoices());

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel(QStringLiteral("星  期"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("节  别"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("课  程"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("年  段"), this), 0, 4);
    grid->setColumnMinimumWidth(3, 24);
    for (int k = 0; k < Samelesson::kRows; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_days[i] = makeSelector(this, days, Samelesson::kSlotNameBytes);
        m_periods[i] = makeSelector(this, periods, Samelesson::kSlotNameBytes);
        m_courses[i] = makeSelector(this, courses, Samelesson::kCourseBytes);
        grid->addWidget(m_days[i], k + 1, 0);
        grid->addWidget(m_periods[i], k + 1, 1);
        grid->addWidget(m_courses[i], k + 1, 2);
    }
    m_grade = new QComboBox(this);
    m_grade->addItems(toQStringList(Samelesson::gradeChoices()));
    m_grade->setCurrentIndex(-1);
    m_grade->setMinimumContentsLength(4);
    grid->addWidget(m_grade, 1, 4);

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(m_buttons);

    connect(m_grade, &QComboBox::currentIndexChanged, this, &SamelessonDialog::chooseGrade);
}

void SamelessonDialog::run(QWidget* parent) {
    SamelessonDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

void SamelessonDialog::chooseGrade(int index) {
    takeRows();
    bool taken = true;
    ui::reported(m_messenger, [&] { taken = m_logic.chooseGrade(index); });
    if (!taken) { // the unsaved rows stay: so does their grade
        const QSignalBlocker blocker(m_grade);
        m_grade->setCurrentIndex(m_logic.gradeIndex());
    }
    showRows();
}

void SamelessonDialog::takeRows() {
    for (int k = 0; k < Samelesson::kRows; ++k) {
        m_logic.setRow(k, {toStdString(dayBox(k)->currentText()),
                           toStdString(periodBox(k)->currentText()),
                           toStdString(courseBox(k)->currentText())});
    }
}

void SamelessonDialog::showRows() {
    for (int k = 0; k < Samelesson::kRows; ++k) {
        const Samelesson::Row& row = m_logic.row(k);
        const std::array<std::pair<QComboBox*, const std::string*>, 3> fields = {
            {{dayBox(k), &row.day}, {periodBox(k), &row.period}, {courseBox(k), &row.course}}};
        for (const auto& [box, text] : fields) {
            box->setCurrentIndex(-1);
            box->setEditText(toQString(*text));
        }
    }
}

bool SamelessonDialog::save() {
    takeRows();
    return m_logic.save();
}

} // namespace masterdata
