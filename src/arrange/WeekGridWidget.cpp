#include "arrange/WeekGridWidget.h"

#include "arrange/LessonGridPanel.h"
#include "core/SchoolNames.h"
#include "widgets/TextConvert.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cstddef>
#include <utility>

namespace arrange {
namespace {

using widgets::toQString;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

WeekGridWidget::WeekGridWidget(Handlers handlers, QWidget* parent)
    : QWidget(parent), m_handlers(std::move(handlers)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize WeekGridWidget::sizeHint() const {
    const int rows = static_cast<int>(m_view.rows.size());
    return {kNameWidth + school::kDays * school::kPeriods * kCellWidth + 1,
            kHeaderHeight + rows * kCellHeight + 1};
}

void WeekGridWidget::show(const WeekGridView& view) {
    const bool resized = view.rows.size() != m_view.rows.size();
    m_view = view;
    if (resized) {
        setFixedSize(sizeHint());
    }
    update();
}

QRect WeekGridWidget::cellRect(int row, int day, int period) const {
    return {kNameWidth + (day * school::kPeriods + period - 1) * kCellWidth,
            kHeaderHeight + row * kCellHeight, kCellWidth, kCellHeight};
}

std::optional<GridPlace> WeekGridWidget::placeAt(const QPoint& point) const {
    const int x = point.x() - kNameWidth;
    const int y = point.y() - kHeaderHeight;
    if (x < 0 || y < 0) {
        return std::nullopt;
    }
    const int column = x / kCellWidth;
    const int row = y / kCellHeight;
    if (column >= school::kDays * school::kPeriods || row >= static_cast<int>(m_view.rows.size())) {
        return std::nullopt;
    }
    return GridPlace{m_view.rows[at(row)].position, column / school::kPeriods,
                     column % school::kPeriods + 1};
}

const WeekCell* WeekGridWidget::cellAt(const QPoint& point) const {
    const std::optional<GridPlace> place = placeAt(point);
    if (!place) {
        return nullptr;
    }
    const int row = (point.y() - kHeaderHeight) / kCellHeight;
    return &m_view.rows[at(row)].cells[at(place->day * school::kPeriods + place->period - 1)];
}

bool WeekGridWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const WeekCell* cell = cellAt(help->pos());
        if (cell != nullptr && !cell->tooltip.empty()) {
            QToolTip::showText(help->globalPos(), toQString(cell->tooltip), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void WeekGridWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    QFont small = font();
    small.setPixelSize(11);
    painter.setFont(small);
    const int width = school::kDays * school::kPeriods * kCellWidth;
    const int half = kHeaderHeight / 2;
    for (int d = 0; d < school::kDays; ++d) {
        const QRect day(kNameWidth + d * school::kPeriods * kCellWidth, 0,
                        school::kPeriods * kCellWidth, half);
        painter.drawText(day, Qt::AlignCenter, toQString(std::string(school::kDayNames[at(d)])));
        for (int p = 1; p <= school::kPeriods; ++p) {
            const QRect period =
                cellRect(0, d, p).translated(0, -half).adjusted(0, 0, 0, half - kCellHeight);
            painter.drawText(period, Qt::AlignCenter, QString::number(p));
        }
    }
    for (std::size_t r = 0; r < m_view.rows.size(); ++r) {
        const WeekRow& row = m_view.rows[r];
        const int y = kHeaderHeight + static_cast<int>(r) * kCellHeight;
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, y, kNameWidth - 2, kCellHeight), Qt::AlignCenter,
                         toQString(row.className));
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                const WeekCell& cell = row.cells[at(d * school::kPeriods + p - 1)];
                const QRect box = cellRect(static_cast<int>(r), d, p);
                const bool conflictFill = cell.shade == Shade::None && cell.mark != CellMark::None;
                QColor fill = conflictFill ? LessonGridPanel::markColour(cell.mark)
                                           : LessonGridPanel::shadeColour(cell.shade);
                if (cell.pressed) {
                    fill = QColor(0x64, 0xb5, 0xf6);
                }
                painter.fillRect(box, fill);
                if (!conflictFill && cell.mark != CellMark::None) {
                    const QPoint corner = box.topLeft();
                    const QPoint triangle[3] = {corner, corner + QPoint(8, 0),
                                                corner + QPoint(0, 8)};
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(LessonGridPanel::markColour(cell.mark));
                    painter.drawPolygon(triangle, 3);
                    painter.setBrush(Qt::NoBrush);
                }
                painter.setPen(conflictFill && cell.mark != CellMark::Overrun ? Qt::white
                                                                              : Qt::black);
                const QRect top = box.adjusted(1, 1, -1, -kCellHeight / 2);
                const QRect bottom = box.adjusted(1, kCellHeight / 2 - 1, -1, -1);
                painter.drawText(top, Qt::AlignCenter, toQString(cell.course));
                painter.drawText(bottom, Qt::AlignCenter, toQString(cell.teacher));
                painter.setPen(QColor(0x90, 0x90, 0x90));
                painter.drawRect(box.adjusted(0, 0, -1, -1));
                if (cell.locked || cell.pressed) {
                    painter.setPen(
                        QPen(cell.locked ? QColor(0x1e, 0x56, 0xc8) : QColor(0x22, 0x22, 0x22), 2));
                    painter.drawRect(box.adjusted(1, 1, -2, -2));
                }
            }
        }
    }
    // the days apart
    painter.setPen(QPen(Qt::black, 2));
    const int bottomY = kHeaderHeight + static_cast<int>(m_view.rows.size()) * kCellHeight;
    for (int d = 0; d <= school::kDays; ++d) {
        const int x = kNameWidth + d * school::kPeriods * kCellWidth;
        painter.drawLine(x, 0, x, bottomY);
    }
    painter.drawLine(kNameWidth, kHeaderHeight, kNameWidth + width, kHeaderHeight);
}

void WeekGridWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = false;
    m_dragFrom.reset();
    const QPoint point = event->position().toPoint();
    const std::optional<GridPlace> place = placeAt(point);
    if (!place) {
        return;
    }
    const bool pair = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (m_handlers.press(*place, pair)) {
        m_dragFrom = place;
        m_pressPoint = point;
    }
}

void WeekGridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_dragFrom && !m_dragging && (event->buttons() & Qt::LeftButton) != 0 &&
        (point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    m_handlers.hover(placeAt(point));
}

void WeekGridWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) {
        m_dragFrom.reset();
        return;
    }
    const std::optional<GridPlace> target = placeAt(event->position().toPoint());
    const GridPlace from = *m_dragFrom;
    endDrag();
    if (target && *target != from) {
        m_handlers.drop(*target);
    }
}

void WeekGridWidget::endDrag() {
    m_dragging = false;
    m_dragFrom.reset();
    unsetCursor();
}

void WeekGridWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_dragging) {
        endDrag();
        m_handlers.cancel();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WeekGridWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (const std::optional<GridPlace> place = placeAt(event->pos())) {
        m_handlers.menu(*place, event->globalPos());
    }
}

void WeekGridWidget::leaveEvent(QEvent* event) {
    m_handlers.hover(std::nullopt);
    QWidget::leaveEvent(event);
}

} // namespace arrange
