#include "supervise/SuperviseOrderDialog.h"

#include "core/Reported.h"
#include "widgets/ClassButtonGrid.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace supervise {
namespace {

using widgets::toQString;
using widgets::toStdString;

QComboBox* newSelector(QWidget* parent, const std::vector<std::string>& names) {
    auto* box = new QComboBox(parent);
    for (const std::string& name : names) {
        box->addItem(toQString(name));
    }
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(6);
    return box;
}

} // namespace

SuperviseOrderDialog::SuperviseOrderDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(SuperviseOrder::kTitle));
    m_readFailed = !ui::reported(m_messenger, [this] { m_usable = m_logic.load(); });

    m_grade = newSelector(this, SuperviseOrder::gradeNames());
    m_time = newSelector(this, SuperviseOrder::timeNames());
    m_teacher = newSelector(this, m_logic.teachers());
    m_teacher->setMinimumContentsLength(8);

    auto* top = new QHBoxLayout;
    const std::pair<const char*, QComboBox*> boxes[] = {
        {"年段", m_grade}, {"时间", m_time}, {"教师", m_teacher}};
    for (const auto& [caption, box] : boxes) {
        if (box != m_grade) {
            top->addSpacing(12);
        }
        top->addWidget(new QLabel(QString::fromUtf8(caption), this));
        top->addWidget(box);
        connect(box, &QComboBox::currentIndexChanged, this, &SuperviseOrderDialog::choose);
    }
    top->addStretch(1);

    m_classes = new widgets::ClassButtonGrid(this);
    connect(m_classes, &widgets::ClassButtonGrid::toggled, this,
            &SuperviseOrderDialog::toggleClass);

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addSpacing(8);
    left->addWidget(m_classes);

    m_save = new QPushButton(QStringLiteral("存盘"), this);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_save->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &SuperviseOrderDialog::save);
    connect(m_ok, &QPushButton::clicked, this, &SuperviseOrderDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &SuperviseOrderDialog::reject);
    auto* right = new QVBoxLayout;
    for (QPushButton* button : {m_save, m_ok, m_cancel}) {
        right->addWidget(button);
    }
    right->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(16);
    layout->addLayout(right);
    showClasses();
}

void SuperviseOrderDialog::run(QWidget* parent) {
    SuperviseOrderDialog dialog(parent);
    if (!dialog.m_usable) {
        // A roster that could not be read has been reported already.
        if (!dialog.m_readFailed) {
            widgets::QtMessenger(parent).info(SuperviseOrder::kNoTeachers);
        }
        return;
    }
    dialog.exec();
}

QPushButton* SuperviseOrderDialog::classButton(int k) const {
    return m_classes->button(k);
}

QLabel* SuperviseOrderDialog::selectionLabel() const {
    return m_classes->selectionLabel();
}

void SuperviseOrderDialog::choose() {
    // A choice that completes grade, time and teacher reads the table; a failure is shown
    // and leaves the buttons as they were.
    // A choice declined (unsaved toggles kept) puts the boxes back.
    bool taken = true;
    ui::reported(m_messenger, [&] {
        taken =
            m_logic.choose(toStdString(m_grade->currentText()), toStdString(m_time->currentText()),
                           toStdString(m_teacher->currentText()));
    });
    if (!taken) {
        for (const auto& [box, text] :
             {std::pair{m_grade, m_logic.grade()}, std::pair{m_time, m_logic.time()},
              std::pair{m_teacher, m_logic.teacher()}}) {
            const QSignalBlocker blocker(box);
            box->setCurrentIndex(box->findText(toQString(text)));
        }
    }
    showClasses();
}

void SuperviseOrderDialog::toggleClass(int k) {
    m_logic.toggleClass(k);
    showClasses();
}

void SuperviseOrderDialog::save() {
    ui::reported(m_messenger, [this] { m_logic.save(); });
    showClasses();
}

bool SuperviseOrderDialog::mayClose() {
    return !m_logic.modified() || m_messenger.confirm(SuperviseOrder::kDiscardQuestion);
}

void SuperviseOrderDialog::accept() {
    if (mayClose()) {
        QDialog::accept();
    }
}

void SuperviseOrderDialog::reject() {
    if (mayClose()) {
        QDialog::reject();
    }
}

void SuperviseOrderDialog::showClasses() {
    for (int k = 1; k <= SuperviseOrder::kClasses; ++k) {
        m_classes->setClass(k, toQString(m_logic.buttonCaption(k)), m_logic.isSelected(k),
                            m_logic.buttonEnabled(k), toQString(m_logic.buttonToolTip(k)));
    }
    m_classes->setSelectionText(toQString(m_logic.selectionText()));
}

} // namespace supervise
