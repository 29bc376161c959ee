// WeekGridWidget: the week view's grid, drawn in one widget: the shown grade's classes as rows,
// the 35 periods as columns under their day, each cell its course over its teacher. A press
// picks a lesson up (with Shift its double period), a drag with the button held drops it on the
// cell where the button is released, a press on another cell of the picked lesson's class drops
// it there too (two clicks); Esc during a drag puts it back. The pointer's cell is reported as
// it moves; a right-click asks the owner for a menu. Colours: the shade of where the picked
// lesson can go (green, yellow, red) fills a cell, a conflict without a shade fills it in the
// day grid's colours (with a corner of that colour under a shade); a locked cell is framed
// blue, a picked one dark. The tooltip is the cell's own. Behaviour lives in the owner's logic.
#pragma once

#include "arrange/WeekGridView.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

namespace arrange {

class WeekGridWidget : public QWidget {
    Q_OBJECT
public:
    struct Handlers {
        std::function<bool(const GridPlace&, bool pair)> press; // true: a drag may start
        std::function<void(const GridPlace&)> drop;
        std::function<void()> cancel;
        std::function<void(const std::optional<GridPlace>&)> hover;
        std::function<void(const GridPlace&, const QPoint& globalPos)> menu;
    };
    static constexpr int kNameWidth = 52;
    static constexpr int kCellWidth = 27;
    static constexpr int kCellHeight = 28;
    static constexpr int kHeaderHeight = 34; // day names over period numbers

    WeekGridWidget(Handlers handlers, QWidget* parent);

    void show(const WeekGridView& view);
    // Where a cell of row 0.., day 0..4, period 1..7 lies, and the place under a point.
    QRect cellRect(int row, int day, int period) const;
    std::optional<GridPlace> placeAt(const QPoint& point) const;
    bool dragging() const { return m_dragging; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const WeekCell* cellAt(const QPoint& point) const;
    void endDrag();

    Handlers m_handlers;
    WeekGridView m_view;
    std::optional<GridPlace> m_dragFrom;
    QPoint m_pressPoint;
    bool m_dragging = false;
};

} // namespace arrange
