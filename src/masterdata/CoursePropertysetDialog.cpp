#include "masterdata/CoursePropertysetDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace masterdata {
namespace {

using widgets::toQString;
using widgets::toStdString;

constexpr int kPairsPerRow = 4;
constexpr std::size_t kCourseBytes = 10;

QStringList toQStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list.append(toQString(name));
    }
    return list;
}

} // namespace

CoursePropertysetDialog::CoursePropertysetDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(CoursePropertyset::kTitle));
    m_logic.load();

    m_grade = new QComboBox(this);
    m_grade->addItems(toQStringList(CoursePropertyset::gradeChoices()));
    m_grade->setCurrentIndex(-1);
    m_grade->setMinimumContentsLength(4);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("年段"), this));
    top->addWidget(m_grade);
    top->addStretch(1);

    const QStringList courses = toQStringList(m_logic.courses());
    const QStringList properties = toQStringList(CoursePropertyset::propertyChoices());
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    for (int column = 0; column < kPairsPerRow; ++column) {
        grid->addWidget(new QLabel(QStringLiteral("课程"), this), 0, column * 3);
        grid->addWidget(new QLabel(QStringLiteral("性质"), this), 0, column * 3 + 1);
        if (column > 0) {
            grid->setColumnMinimumWidth(column * 3 - 1, 16);
        }
    }
    for (int k = 0; k < CoursePropertyset::kPairs; ++k) {
        const auto i = static_cast<std::size_t>(k);
        auto* course = new QComboBox(this);
        course->setEditable(true);
        course->setLineEdit(new widgets::GbkLineEdit(kCourseBytes, course));
        course->setInsertPolicy(QComboBox::NoInsert);
        course->addItems(courses);
        course->setMinimumContentsLength(8);
        course->setCurrentIndex(-1);

        auto* property = new QComboBox(this);
        property->addItems(properties);
        property->setCurrentIndex(-1);
        property->setMinimumContentsLength(3);

        const int row = 1 + k / kPairsPerRow;
        const int column = (k % kPairsPerRow) * 3;
        grid->addWidget(course, row, column);
        grid->addWidget(property, row, column + 1);
        m_courses[i] = course;
        m_properties[i] = property;
    }

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });
    // 确定 closes without saving here; only 存盘 writes.
    QObject::disconnect(m_buttons->okButton(), &QPushButton::clicked, m_buttons, nullptr);
    connect(m_buttons->okButton(), &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(m_buttons);

    connect(m_grade, &QComboBox::currentIndexChanged, this, &CoursePropertysetDialog::chooseGrade);
}

void CoursePropertysetDialog::run(QWidget* parent) {
    CoursePropertysetDialog dialog(parent);
    if (!dialog.m_logic.startMessage().empty()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.startMessage());
    }
    dialog.exec();
}

void CoursePropertysetDialog::chooseGrade(int index) {
    takePairs();
    bool taken = true;
    ui::reported(m_messenger, [&] { taken = m_logic.chooseGrade(index); });
    if (!taken) { // the unsaved pairs stay: so does their grade
        const QSignalBlocker blocker(m_grade);
        m_grade->setCurrentIndex(m_logic.gradeIndex());
    }
    showPairs();
}

void CoursePropertysetDialog::takePairs() {
    for (int k = 0; k < CoursePropertyset::kPairs; ++k) {
        m_logic.setPair(k, toStdString(courseBox(k)->currentText()),
                        toStdString(propertyBox(k)->currentText()));
    }
}

void CoursePropertysetDialog::showPairs() {
    for (int k = 0; k < CoursePropertyset::kPairs; ++k) {
        courseBox(k)->setCurrentIndex(-1);
        courseBox(k)->setEditText(toQString(m_logic.pair(k).course));
        propertyBox(k)->setCurrentIndex(
            propertyBox(k)->findText(toQString(m_logic.propertyText(k))));
    }
}

bool CoursePropertysetDialog::save() {
    takePairs();
    return m_logic.save();
}

} // namespace masterdata
