#include "masterdata/FacilitiesSetDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace masterdata {
namespace {

using widgets::toQString;
using widgets::toStdString;

constexpr int kPairsPerRow = 2;
// The subject field holds a name of up to 10 GBK bytes.
constexpr std::size_t kSubjectBytes = 10;

} // namespace

FacilitiesSetDialog::FacilitiesSetDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(FacilitiesSet::kTitle));
    m_logic.load();

    QStringList courses;
    for (const std::string& name : m_logic.courses()) {
        courses.append(toQString(name));
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int column = 0; column < kPairsPerRow; ++column) {
        grid->addWidget(new QLabel(QStringLiteral("学科"), this), 0, column * 3);
        grid->addWidget(new QLabel(QStringLiteral("课时"), this), 0, column * 3 + 1);
    }
    grid->setColumnMinimumWidth(2, 24); // a gap between the two columns of pairs
    for (int k = 0; k < FacilitiesSet::kPairs; ++k) {
        const auto i = static_cast<std::size_t>(k);
        auto* subject = new QComboBox(this);
        subject->setEditable(true);
        subject->setLineEdit(new widgets::GbkLineEdit(kSubjectBytes, subject));
        subject->setInsertPolicy(QComboBox::NoInsert);
        subject->addItems(courses);
        subject->setMinimumContentsLength(8);
        subject->setCurrentIndex(-1);
        subject->setEditText(toQString(m_logic.pair(k).subject));

        auto* limit = new QLineEdit(toQString(m_logic.pair(k).limit), this);
        limit->setMaxLength(11);
        limit->setFixedWidth(limit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);

        const int row = 1 + k / kPairsPerRow;
        const int column = (k % kPairsPerRow) * 3;
        grid->addWidget(subject, row, column);
        grid->addWidget(limit, row, column + 1);
        m_subjects[i] = subject;
        m_limits[i] = limit;
    }

    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return save(); },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    m_buttons->okButton()->setText(QStringLiteral("确   定"));
    m_buttons->cancelButton()->setText(QStringLiteral("取  消"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(m_buttons);
}

void FacilitiesSetDialog::run(QWidget* parent) {
    FacilitiesSetDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

bool FacilitiesSetDialog::save() {
    for (int k = 0; k < FacilitiesSet::kPairs; ++k) {
        m_logic.setPair(k, toStdString(subjectBox(k)->currentText()),
                        toStdString(limitBox(k)->text()));
    }
    if (m_logic.save()) {
        return true;
    }
    if (const int k = m_logic.invalidPair(); k >= 0) {
        limitBox(k)->setFocus();
        limitBox(k)->selectAll();
    }
    return false;
}

} // namespace masterdata
