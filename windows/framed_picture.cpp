#include "windows/framed_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace zivek::windows {

FramedPicture::FramedPicture(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(borderWidth);
    setFocusPolicy(Qt::StrongFocus);
    // Where the bitmap does not reach, the control's own default ground shows.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void FramedPicture::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void FramedPicture::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect inner = contentsRect();
        painter.setClipRect(inner);
        painter.drawPixmap(inner.topLeft(), picture_);
    }
    QFrame::paintEvent(event);
}

void FramedPicture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void FramedPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        emit clicked();
        return;  // the click may have closed the window that holds this control
    }
    QFrame::mouseReleaseEvent(event);
}

}  // namespace zivek::windows
