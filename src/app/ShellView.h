// ShellView: the main window's central view. It draws nothing; it is a scrolling surface
// with a logical extent of 1500 × 900 pixels, as the original view had. Page Up / Page Down
// scroll vertically by a page, Home and End go to the top-left and bottom-right corners,
// the arrow keys scroll by a line.
#pragma once

#include <QScrollArea>

namespace app {

class ShellView : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kWidth = 1500;
    static constexpr int kHeight = 900;

    explicit ShellView(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace app
