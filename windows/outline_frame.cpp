#include "windows/outline_frame.h"

#include <QPainter>

namespace zivek::windows {

OutlineFrame::OutlineFrame(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void OutlineFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // Four bands inside the bounds, so the whole line stays within the control.
    const int w = width();
    const int h = height();
    painter.drawRect(0, 0, w, lineWidth);
    painter.drawRect(0, h - lineWidth, w, lineWidth);
    painter.drawRect(0, 0, lineWidth, h);
    painter.drawRect(w - lineWidth, 0, lineWidth, h);
}

}  // namespace zivek::windows
