#include "attendance/AttendanceinputDialog.h"

#include "attendance/AttendanceTerms.h"
#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace attendance {
namespace {

using widgets::toQString;
using widgets::toStdString;

template <class Texts> QStringList toQStringList(const Texts& texts) {
    QStringList list;
    for (const auto& text : texts) {
        list.append(toQString(std::string(text)));
    }
    return list;
}

QComboBox* textBox(QWidget* parent, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setLineEdit(new widgets::GbkLineEdit(Attendanceinput::kFieldBytes, box));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setMinimumContentsLength(6);
    box->setCurrentIndex(-1);
    return box;
}

// The 代课 box: its list shows each name with the reason it is offered.
QComboBox* substituteBox(QWidget* parent) {
    QComboBox* box = textBox(parent, {});
    box->setModel(new QStandardItemModel(0, 2, box));
    auto* view = new QTableView(box);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setShowGrid(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    box->setView(view);
    return box;
}

void showText(QComboBox& box, const std::string& text) {
    box.setCurrentIndex(-1);
    box.setEditText(toQString(text));
}

} // namespace

AttendanceinputDialog::AttendanceinputDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Attendanceinput::kTitle));
    if (!m_logic.load()) {
        return; // run() shows why; the form never opens
    }
    try {
        m_logic.setCandidates(SubstituteCandidates::load());
    } catch (const std::exception& e) {
        // The form works without suggestions; the reason stays visible below the rows.
        m_status = new QLabel(QStringLiteral("代课推荐不可用：") + toQString(e.what()), this);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    const QStringList headings = {QStringLiteral("教  师"),  QStringLiteral("日  期"),
                                  QStringLiteral("星  期"),  QStringLiteral("节  别"),
                                  QStringLiteral("班   级"), QStringLiteral("性    质"),
                                  QStringLiteral("代  课"),  QStringLiteral("备     注")};
    for (int column = 0; column < headings.size(); ++column) {
        grid->addWidget(new QLabel(headings[column], this), 0, column, Qt::AlignHCenter);
    }
    const QStringList roster = toQStringList(m_logic.roster());
    const QStringList weekdays = toQStringList(kWeekdays);
    const QStringList periods = toQStringList(kPeriods);
    const QStringList classes = toQStringList(m_logic.classNames());
    const QStringList categories = toQStringList(kCategories);
    for (int i = 0; i < Attendanceinput::kRowsPerPage; ++i) {
        RowControls& row = m_rows[static_cast<std::size_t>(i)];
        row.teacher = textBox(this, roster);
        row.date = new QLineEdit(this);
        row.date->setPlaceholderText(QStringLiteral("年-月-日"));
        row.date->setMaxLength(19);
        row.date->setFixedWidth(
            row.date->fontMetrics().horizontalAdvance(QStringLiteral("2024-09-02")) + 12);
        row.weekday = textBox(this, weekdays);
        row.period = textBox(this, periods);
        row.className = textBox(this, classes);
        row.category = textBox(this, categories);
        row.substitute = substituteBox(this);
        row.remark = new widgets::GbkLineEdit(Attendanceinput::kFieldBytes, this);
        const std::array<QWidget*, 8> controls = {row.teacher,    row.date,      row.weekday,
                                                  row.period,     row.className, row.category,
                                                  row.substitute, row.remark};
        for (int column = 0; column < static_cast<int>(controls.size()); ++column) {
            grid->addWidget(controls[static_cast<std::size_t>(column)], i + 1, column);
        }
        for (QComboBox* box : {row.teacher, row.weekday, row.period, row.className, row.category}) {
            connect(box, &QComboBox::currentTextChanged, this, [this, i] {
                if (!m_showing) {
                    offerSubstitutes(i);
                }
            });
        }
    }

    m_week = new QLineEdit(this);
    m_week->setMaxLength(6);
    m_week->setFixedWidth(m_week->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    auto* refresh = new QPushButton(QStringLiteral("刷新"), this);
    m_pageButton = new QPushButton(this);
    auto* exportButton = new QPushButton(QStringLiteral("表格导出"), this);
    auto* previous = new QPushButton(QStringLiteral("上一页"), this);
    auto* next = new QPushButton(QStringLiteral("下一页"), this);
    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });
    for (QPushButton* b : {refresh, m_pageButton, exportButton, previous, next}) {
        b->setAutoDefault(false);
    }

    auto* right = new QVBoxLayout;
    auto* weekLine = new QHBoxLayout;
    weekLine->addWidget(new QLabel(QStringLiteral("周别"), this));
    weekLine->addWidget(m_week);
    right->addLayout(weekLine);
    right->addWidget(refresh);
    right->addWidget(m_buttons->saveButton());
    right->addSpacing(12);
    right->addWidget(m_pageButton);
    right->addWidget(exportButton);
    right->addWidget(previous);
    right->addWidget(next);
    right->addStretch(1);
    right->addWidget(m_buttons->okButton());
    right->addWidget(m_buttons->cancelButton());
    m_buttons->hide(); // its buttons stand in the column at the right

    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    if (m_status != nullptr) {
        left->addWidget(m_status);
    }
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(12);
    layout->addLayout(right);

    connect(refresh, &QPushButton::clicked, this, [this] {
        if (m_logic.refresh(toStdString(m_week->text()), shownTexts())) {
            showPage();
        }
    });
    connect(previous, &QPushButton::clicked, this, [this] {
        if (taken() && m_logic.previousPage(shownTexts())) {
            showPage();
        }
    });
    connect(next, &QPushButton::clicked, this, [this] {
        if (taken() && m_logic.nextPage(shownTexts())) {
            showPage();
        }
    });
    showPage();
}

void AttendanceinputDialog::run(QWidget* parent) {
    AttendanceinputDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    if (!dialog.m_logic.openingNotice().empty()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.openingNotice());
    }
    dialog.exec();
}

QPushButton* AttendanceinputDialog::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

void AttendanceinputDialog::reject() {
    bool close = true;
    if (m_logic.usable()) {
        ui::reported(m_messenger, [&] { close = m_logic.mayClose(shownTexts()); });
    }
    if (close) {
        QDialog::reject();
    }
}

Attendanceinput::PageTexts AttendanceinputDialog::shownTexts() const {
    Attendanceinput::PageTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const RowControls& row = m_rows[i];
        texts[i] = {
            toStdString(row.teacher->currentText()),    toStdString(row.date->text()),
            toStdString(row.weekday->currentText()),    toStdString(row.period->currentText()),
            toStdString(row.className->currentText()),  toStdString(row.category->currentText()),
            toStdString(row.substitute->currentText()), toStdString(row.remark->text())};
    }
    return texts;
}

void AttendanceinputDialog::showPage() {
    setWindowTitle(toQString(m_logic.windowTitle()));
    m_pageButton->setText(toQString(m_logic.pageCaption()));
    const Attendanceinput::PageTexts texts = m_logic.pageTexts();
    m_showing = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const RowControls& row = m_rows[i];
        const Attendanceinput::RowText& text = texts[i];
        showText(*row.teacher, text.teacher);
        row.date->setText(toQString(text.date));
        showText(*row.weekday, text.weekday);
        showText(*row.period, text.period);
        showText(*row.className, text.className);
        showText(*row.category, text.category);
        showText(*row.substitute, text.substitute);
        row.remark->setText(toQString(text.remark));
    }
    m_showing = false;
    for (int i = 0; i < Attendanceinput::kRowsPerPage; ++i) {
        offerSubstitutes(i);
    }
}

void AttendanceinputDialog::offerSubstitutes(int index) {
    const RowControls& row = m_rows.at(static_cast<std::size_t>(index));
    const Attendanceinput::RowText text = shownTexts()[static_cast<std::size_t>(index)];
    auto* model = static_cast<QStandardItemModel*>(row.substitute->model());
    const QString shown = row.substitute->currentText();
    model->removeRows(0, model->rowCount());
    for (const Attendanceinput::SubstituteChoice& choice : m_logic.substituteChoices(text)) {
        auto* reason = new QStandardItem(toQString(choice.reason));
        reason->setForeground(palette().placeholderText());
        model->appendRow({new QStandardItem(toQString(choice.name)), reason});
    }
    row.substitute->setCurrentIndex(-1);
    row.substitute->setEditText(shown);
    auto* view = static_cast<QTableView*>(row.substitute->view());
    view->resizeColumnsToContents();
    view->setMinimumWidth(view->horizontalHeader()->length() + view->frameWidth() * 2 + 24);
}

bool AttendanceinputDialog::taken() {
    if (const std::optional<int> refused = m_logic.takePage(shownTexts())) {
        QLineEdit* date = row(*refused).date;
        date->setFocus();
        date->selectAll();
        return false;
    }
    return true;
}

bool AttendanceinputDialog::save() {
    if (!taken()) {
        return false;
    }
    const bool saved = m_logic.save(toStdString(m_week->text()), shownTexts());
    showPage();
    return saved;
}

} // namespace attendance
