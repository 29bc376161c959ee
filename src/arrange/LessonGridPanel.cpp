#include "arrange/LessonGridPanel.h"

#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstddef>
#include <utility>

namespace arrange {
namespace {

using widgets::toQString;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

QColor LessonGridPanel::markColour(CellMark mark) {
    switch (mark) {
    case CellMark::Clash:
        return QColor(0xe5, 0x39, 0x35);
    case CellMark::Overrun:
        return QColor(0xfb, 0x8c, 0x00);
    case CellMark::Preset:
        return QColor(0x8e, 0x24, 0xaa);
    case CellMark::None:
        break;
    }
    return QColor(Qt::white);
}

QColor LessonGridPanel::shadeColour(Shade shade) {
    switch (shade) {
    case Shade::Green:
        return QColor(0x81, 0xc7, 0x84);
    case Shade::Yellow:
        return QColor(0xff, 0xee, 0x58);
    case Shade::Red:
        return QColor(0xe5, 0x73, 0x73);
    case Shade::None:
        break;
    }
    return QColor(Qt::white);
}

bool LessonGridPanel::whiteText(CellMark mark) {
    return mark == CellMark::Clash || mark == CellMark::Preset;
}

QString LessonGridPanel::markColours(CellMark mark) {
    if (mark == CellMark::None) {
        return {};
    }
    return QStringLiteral("background-color: %1; color: %2;")
        .arg(markColour(mark).name(),
             whiteText(mark) ? QStringLiteral("white") : QStringLiteral("black"));
}

QString LessonGridPanel::shadeColours(Shade shade) {
    if (shade == Shade::None) {
        return {};
    }
    return QStringLiteral("background-color: %1; color: black;").arg(shadeColour(shade).name());
}

QString LessonGridPanel::frameStyle(bool locked) {
    return locked ? QStringLiteral("border: 3px solid #1e56c8;")
                  : QStringLiteral("border: 1px solid #555;");
}

namespace {

// The look of a cell: its conflict colour (or, while a lesson of its class is selected, the
// shade of where that lesson can go), a thick blue frame while it is locked, and a sunken
// frame while it is selected.
QString cellStyle(CellMark mark, bool locked, Shade shade) {
    if (mark == CellMark::None && !locked && shade == Shade::None) {
        return {};
    }
    return QStringLiteral("QPushButton { %1 %2 padding: 3px; }"
                          "QPushButton:checked { border: 3px inset #222; }")
        .arg(shade == Shade::None ? LessonGridPanel::markColours(mark)
                                  : LessonGridPanel::shadeColours(shade),
             LessonGridPanel::frameStyle(locked));
}

} // namespace

LessonGridPanel::LessonGridPanel(Handlers handlers, QWidget* parent)
    : QWidget(parent), m_handlers(std::move(handlers)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    m_grade = new QLabel(this);
    m_grade->setObjectName(QStringLiteral("gradeName"));
    QFont gradeFont = m_grade->font();
    gradeFont.setBold(true);
    gradeFont.setPointSizeF(gradeFont.pointSizeF() * 1.3);
    m_grade->setFont(gradeFont);
    top->addWidget(m_grade);
    m_dayButton = new QPushButton(this);
    m_dayButton->setAutoDefault(false);
    top->addWidget(m_dayButton);
    const std::pair<const char*, Command> commands[] = {
        {"课程转换", Command::SwitchView}, {"上一年段", Command::PreviousGrade},
        {"下一年段", Command::NextGrade},  {"左  进", Command::Left},
        {"右  进", Command::Right},        {"上一天", Command::PreviousDay},
        {"下一天", Command::NextDay}};
    for (const auto& [caption, command] : commands) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        top->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, c = command] { m_handlers.command(c); });
    }
    top->addStretch(1);
    layout->addLayout(top);

    m_dayArea = new QWidget(this);
    auto* dayLayout = new QVBoxLayout(m_dayArea);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dayArea);

    m_summary = new QLabel(m_dayArea);
    m_summary->setMinimumHeight(m_summary->fontMetrics().height() + 4); // no jump when it fills
    dayLayout->addWidget(m_summary);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int row = 0; row < LessonGridView::kRows; ++row) {
        for (int column = 0; column < LessonGridView::kColumns; ++column) {
            auto* b = new QPushButton(m_dayArea);
            b->setAutoDefault(false);
            b->setCheckable(row > 0);
            b->setFixedWidth(kCellWidth);
            grid->addWidget(b, row, column);
            m_cells[at(row)][at(column)] = b;
            if (row == 0) {
                connect(b, &QPushButton::clicked, this,
                        [this, column] { m_handlers.classCell(column); });
                continue;
            }
            connect(b, &QPushButton::clicked, this,
                    [this, row, column] { m_handlers.cell(column, row); });
            if (m_handlers.lock) {
                b->setContextMenuPolicy(Qt::CustomContextMenu);
                connect(b, &QPushButton::customContextMenuRequested, this,
                        [this, row, column] { m_handlers.lock(column, row); });
            }
        }
    }
    dayLayout->addLayout(grid);

    // two rows of five: an entry names the teacher and the period
    auto* clashRow = new QGridLayout;
    clashRow->addWidget(new QLabel(QStringLiteral("碰课教师："), m_dayArea), 0, 0);
    for (std::size_t i = 0; i < m_clashes.size(); ++i) {
        QLabel*& label = m_clashes[i];
        label = new QLabel(m_dayArea);
        label->setMinimumWidth(kCellWidth - 12);
        const int perRow = static_cast<int>(m_clashes.size()) / 2;
        clashRow->addWidget(label, static_cast<int>(i) / perRow, 1 + static_cast<int>(i) % perRow);
    }
    clashRow->setColumnStretch(static_cast<int>(m_clashes.size()) / 2 + 1, 1);
    dayLayout->addLayout(clashRow);
}

void LessonGridPanel::setDayAreaShown(bool shown) {
    m_dayArea->setVisible(shown);
    m_dayButton->setVisible(shown);
}

QPushButton* LessonGridPanel::cell(int row, int column) const {
    return m_cells.at(at(row)).at(at(column));
}

void LessonGridPanel::show(const LessonGridView& view) {
    m_grade->setText(toQString(view.gradeName));
    m_dayButton->setText(toQString(view.dayName));
    for (int row = 0; row < LessonGridView::kRows; ++row) {
        for (int column = 0; column < LessonGridView::kColumns; ++column) {
            const GridCell& cell = view.grid[at(row)][at(column)];
            QPushButton* b = m_cells[at(row)][at(column)];
            b->setText(toQString(cell.caption));
            b->setChecked(cell.pressed);
            b->setStyleSheet(cellStyle(cell.mark, cell.locked, cell.shade));
            const std::string tip = cell.tooltip +
                                    (cell.tooltip.empty() || cell.shadeReason.empty() ? "" : "\n") +
                                    cell.shadeReason;
            b->setToolTip(toQString(tip));
        }
    }
    QString summary = toQString(view.summaryHead);
    for (const std::string& entry : view.summary) {
        summary += QStringLiteral("  ") + toQString(entry);
    }
    m_summary->setText(summary);
    for (std::size_t i = 0; i < m_clashes.size(); ++i) {
        m_clashes[i]->setText(i < view.clashes.size() ? toQString(view.clashes[i]) : QString());
    }
}

} // namespace arrange
