// ShellView: the main window's central view. It draws nothing; it is a scrolling surface
// with a logical extent of 1500 × 900 pixels. A page step is a quarter of the extent
// (375 × 225), a line step a fifth (300 × 180), whatever the window's size. Page Up /
// Page Down scroll vertically by a page, Home and End go to the top-left and bottom-right
// corners, the arrow keys scroll by a line.
#pragma once

#include <QAbstractScrollArea>

namespace app {

class ShellView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kWidth = 1500;
    static constexpr int kHeight = 900;
    static constexpr int kPageWidth = kWidth / 4;
    static constexpr int kPageHeight = kHeight / 4;
    static constexpr int kLineWidth = kWidth / 5;
    static constexpr int kLineHeight = kHeight / 5;

    explicit ShellView(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // QAbstractScrollArea calls this for the viewport's resizes, which include a scroll bar
    // appearing or going.
    void resizeEvent(QResizeEvent* event) override;

private:
    // Ranges follow the viewport's size; the steps never do.
    void updateScrollBars();
};

} // namespace app
