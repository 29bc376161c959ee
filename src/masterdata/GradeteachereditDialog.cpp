#include "masterdata/GradeteachereditDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace masterdata {
namespace {

using widgets::toQString;

QStringList toQStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list.append(toQString(name));
    }
    return list;
}

// The selected row of a single-selection list, or -1 when nothing is selected.
int selectedRow(const QListWidget& list) {
    const QListWidgetItem* item = list.currentItem();
    return item != nullptr && item->isSelected() ? list.row(item) : -1;
}

} // namespace

GradeteachereditDialog::GradeteachereditDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Gradeteacheredit::kTitle));
    m_logic.load();

    m_roster = new QListWidget(this);
    m_subjectTeachers = new QListWidget(this);
    for (QListWidget* list : {m_roster, m_subjectTeachers}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumSize(150, 260);
    }
    m_roster->addItems(toQStringList(m_logic.roster()));

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_remove = new QPushButton(QStringLiteral("删除"), this);
    for (QPushButton* button : {m_add, m_remove}) {
        button->setAutoDefault(false);
    }
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);

    m_subject = new QComboBox(this);
    m_subject->addItems(toQStringList(m_logic.courses()));
    m_subject->setCurrentIndex(-1);
    m_subject->setMinimumContentsLength(8);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("全体教师"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("学科课任教师"), this), 0, 2);
    lists->addWidget(m_roster, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(m_subjectTeachers, 1, 2);

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return m_logic.save(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("学   科"), this));
    bottom->addWidget(m_subject);
    bottom->addSpacing(24);
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(bottom);

    connect(m_subject, &QComboBox::currentIndexChanged, this,
            &GradeteachereditDialog::chooseSubject);
    connect(m_add, &QPushButton::clicked, this, &GradeteachereditDialog::addTeacher);
    connect(m_remove, &QPushButton::clicked, this, &GradeteachereditDialog::removeTeacher);
}

void GradeteachereditDialog::run(QWidget* parent) {
    GradeteachereditDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

void GradeteachereditDialog::chooseSubject(int index) {
    bool taken = true;
    ui::reported(m_messenger, [&] { taken = m_logic.chooseSubject(index); });
    if (!taken) { // the unsaved changes stay: so does their subject
        const QSignalBlocker blocker(m_subject);
        m_subject->setCurrentIndex(m_logic.subjectIndex());
    }
    showSubjectTeachers();
}

void GradeteachereditDialog::addTeacher() {
    if (m_logic.addTeacher(selectedRow(*m_roster))) {
        showSubjectTeachers();
        m_subjectTeachers->setCurrentRow(m_subjectTeachers->count() - 1);
    }
}

void GradeteachereditDialog::removeTeacher() {
    const int row = selectedRow(*m_subjectTeachers);
    if (m_logic.removeTeacher(row)) {
        showSubjectTeachers();
        m_subjectTeachers->setCurrentRow(std::min(row, m_subjectTeachers->count() - 1));
    }
}

void GradeteachereditDialog::showSubjectTeachers() {
    m_subjectTeachers->clear();
    m_subjectTeachers->addItems(toQStringList(m_logic.subjectTeachers()));
}

} // namespace masterdata
