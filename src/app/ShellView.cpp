#include "app/ShellView.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace app {

ShellView::ShellView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(kLineWidth);
    horizontalScrollBar()->setPageStep(kPageWidth);
    verticalScrollBar()->setSingleStep(kLineHeight);
    verticalScrollBar()->setPageStep(kPageHeight);
    updateScrollBars();
}

void ShellView::updateScrollBars() {
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, kWidth - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, kHeight - visible.height()));
}

void ShellView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ShellView::keyPressEvent(QKeyEvent* event) {
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Home:
        h->setValue(h->minimum());
        v->setValue(v->minimum());
        break;
    case Qt::Key_End:
        h->setValue(h->maximum());
        v->setValue(v->maximum());
        break;
    case Qt::Key_PageUp:
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Left:
        h->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Up:
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace app
