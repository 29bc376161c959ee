#include "cover/CoverPlanningDialog.h"

#include "publish/PageActions.h"
#include "publish/PagePrint.h"
#include "widgets/TextConvert.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace cover {
namespace {

using widgets::toQString;
using widgets::toStdString;

constexpr int kChoiceColumn = 5;

QLabel* labelFor(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(toQString(text), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CoverPlanningDialog::CoverPlanningDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(CoverPlanning::kTitle));
    m_loaded = m_logic.load();

    m_teacher = new QComboBox(this);
    for (const std::string& name : m_logic.roster()) {
        m_teacher->addItem(toQString(name));
    }
    m_from = new QLineEdit(this);
    m_to = new QLineEdit(this);
    for (QLineEdit* box : {m_from, m_to}) {
        box->setPlaceholderText(QStringLiteral("2024-09-09"));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-000")) +
                           16);
    }
    m_category = new QComboBox(this);
    for (const std::string& category : CoverPlanning::categories()) {
        m_category->addItem(toQString(category));
    }
    auto* plan = new QPushButton(QStringLiteral("制定"), this);
    m_buttons.insert(plan->text(), plan);
    m_saved = new QComboBox(this);
    m_saved->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* open = new QPushButton(QStringLiteral("打开"), this);
    m_buttons.insert(open->text(), open);

    m_list = new QTableWidget(0, 7, this);
    m_list->setHorizontalHeaderLabels({QStringLiteral("日期"), QStringLiteral("星期"),
                                       QStringLiteral("节别"), QStringLiteral("班级"),
                                       QStringLiteral("学科"), QStringLiteral("代课安排"),
                                       QStringLiteral("说明")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setMinimumSize(900, 360);

    auto* choices = new QHBoxLayout;
    choices->addWidget(labelFor(this, "缺课教师", m_teacher));
    choices->addWidget(m_teacher);
    choices->addWidget(labelFor(this, "起始日期", m_from));
    choices->addWidget(m_from);
    choices->addWidget(labelFor(this, "终止日期", m_to));
    choices->addWidget(m_to);
    choices->addWidget(labelFor(this, "性质", m_category));
    choices->addWidget(m_category);
    choices->addWidget(plan);
    choices->addStretch(1);
    choices->addWidget(labelFor(this, "已存安排", m_saved));
    choices->addWidget(m_saved);
    choices->addWidget(open);

    auto* actions = new QHBoxLayout;
    const auto addButton = [&](const char* caption, auto slot) {
        auto* button = new QPushButton(toQString(caption), this);
        button->setAutoDefault(false);
        actions->addWidget(button);
        m_buttons.insert(button->text(), button);
        connect(button, &QPushButton::clicked, this, slot);
    };
    addButton("存盘", [this] {
        if (m_logic.save()) {
            showSaved();
        }
    });
    addButton("应用", [this] {
        m_logic.apply();
        showPlan();
        showSaved();
    });
    addButton("打印通知单", [this] {
        if (!m_logic.hasPlan()) {
            m_messenger.error(CoverPlanning::kNoPlan);
            return;
        }
        publish::printPages(m_logic.noticePages(), this);
    });
    addButton("导出通知单…", [this] { exportNotice(); });
    addButton("复制通知文本", [this] { copyNotice(); });
    actions->addStretch(1);
    addButton("关闭", [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_list, 1);
    layout->addLayout(actions);

    connect(plan, &QPushButton::clicked, this, &CoverPlanningDialog::makePlan);
    connect(open, &QPushButton::clicked, this, &CoverPlanningDialog::openSaved);
    plan->setDefault(true);
    showSaved();
}

void CoverPlanningDialog::run(QWidget* parent) {
    CoverPlanningDialog dialog(parent);
    if (dialog.m_loaded) {
        dialog.exec();
    }
}

QComboBox* CoverPlanningDialog::choiceBox(int row) const {
    return qobject_cast<QComboBox*>(m_list->cellWidget(row, kChoiceColumn));
}

QPushButton* CoverPlanningDialog::button(const QString& caption) const {
    return m_buttons.value(caption, nullptr);
}

void CoverPlanningDialog::makePlan() {
    if (m_logic.makePlan(toStdString(m_teacher->currentText()), toStdString(m_from->text()),
                         toStdString(m_to->text()), toStdString(m_category->currentText()))) {
        showPlan();
    }
}

void CoverPlanningDialog::openSaved() {
    if (m_saved->currentIndex() < 0 ||
        !m_logic.openSaved(static_cast<std::size_t>(m_saved->currentIndex()))) {
        return;
    }
    const CoverRequest& request = m_logic.plan().request;
    m_teacher->setCurrentText(toQString(request.teacher));
    m_from->setText(toQString(dateText(request.from)));
    m_to->setText(toQString(dateText(request.to)));
    m_category->setCurrentText(toQString(request.category));
    showPlan();
}

void CoverPlanningDialog::showSaved() {
    m_saved->clear();
    for (const SavedPlan& saved : m_logic.savedPlans()) {
        m_saved->addItem(toQString(saved.caption()));
    }
}

void CoverPlanningDialog::showPlan() {
    const std::vector<CoverPlanning::Row> rows = m_logic.rows();
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const CoverPlanning::Row& row = rows[static_cast<std::size_t>(r)];
        const std::vector<std::string> texts = {row.date,   row.weekday, row.period, row.className,
                                                row.course, row.taking,  row.reason};
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            auto* item = new QTableWidgetItem(toQString(texts[static_cast<std::size_t>(c)]));
            if (row.uncovered) {
                item->setForeground(Qt::red);
            }
            m_list->setItem(r, c, item);
        }
        // A row keeps its box: the box whose choice brought us here must outlive its signal.
        QComboBox* box = choiceBox(r);
        if (box == nullptr) {
            box = new QComboBox(m_list);
            connect(box, &QComboBox::activated, this, [this, r](int option) { chosen(r, option); });
            m_list->setCellWidget(r, kChoiceColumn, box);
        }
        const QSignalBlocker quiet(box);
        box->clear();
        const auto lesson = static_cast<std::size_t>(r);
        for (const std::string& option : m_logic.options(lesson)) {
            box->addItem(toQString(option));
        }
        box->setCurrentIndex(static_cast<int>(m_logic.chosenOption(lesson)));
        box->setStyleSheet(row.uncovered ? QStringLiteral("color: red;") : QString());
    }
    m_list->resizeColumnsToContents();
    m_list->setColumnWidth(kChoiceColumn, std::max(m_list->columnWidth(kChoiceColumn), 260));
}

void CoverPlanningDialog::chosen(int row, int option) {
    if (option < 0) {
        return;
    }
    m_logic.choose(static_cast<std::size_t>(row), static_cast<std::size_t>(option));
    // Every row's choices change: a teacher given this lesson is taken in its period.
    showPlan();
}

void CoverPlanningDialog::exportNotice() {
    if (!m_logic.hasPlan()) {
        m_messenger.error(CoverPlanning::kNoPlan);
        return;
    }
    publish::exportPages(m_logic.noticePages(), m_messenger, publish::exportDialog(this));
}

void CoverPlanningDialog::copyNotice() {
    if (!m_logic.hasPlan()) {
        m_messenger.error(CoverPlanning::kNoPlan);
        return;
    }
    QGuiApplication::clipboard()->setText(toQString(m_logic.noticeText()));
    m_messenger.info("代课通知已复制，可以粘贴到消息中。");
}

void CoverPlanningDialog::reject() {
    if (m_logic.mayClose()) {
        QDialog::reject();
    }
}

} // namespace cover
