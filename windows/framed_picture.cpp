#include "windows/framed_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "windows/pictures.h"

namespace zivek::windows {

FramedPicture::FramedPicture(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(borderWidth);
    setFocusPolicy(Qt::StrongFocus);
    // Where the bitmap does not reach, the control's own default ground shows.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void FramedPicture::setPicture(const Picture& source, Fit fit) {
    source_ = source;
    fit_ = fit;
    rendered_ = {};
    update();
}

QPixmap FramedPicture::picture() const {
    const QSize size =
        fit_ == Fit::FillFrame ? contentsRect().size() : QSize(source_.width, source_.height);
    const qreal ratio = devicePixelRatioF();
    if (rendered_.isNull() || rendered_.devicePixelRatio() != ratio || renderedSize_ != size) {
        rendered_ = renderPicture(source_, size, ratio);
        renderedSize_ = size;
    }
    return rendered_;
}

void FramedPicture::paintEvent(QPaintEvent* event) {
    if (!source_.resource.empty()) {
        QPainter painter(this);
        const QRect inner = contentsRect();
        painter.setClipRect(inner);
        painter.drawPixmap(inner.topLeft(), picture());
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
