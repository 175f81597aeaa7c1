#include "windows/picture_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "windows/accessibility.h"

namespace zivek::windows {
namespace {

// The menu pictures' red frame ends 7 of their 162 units in from the edge.
constexpr int pictureWidth = 162;
constexpr int pictureFrameInset = 9;

}  // namespace

PictureButton::PictureButton(const QString& caption, QWidget* parent) : FramedPicture(parent) {
    installAccessibility();
    setAccessibleName(caption);
}

void PictureButton::click() {
    emit clicked();
}

void PictureButton::paintEvent(QPaintEvent* event) {
    FramedPicture::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    // A picture button takes the focus from the keyboard alone (a click leaves the
    // menu), so the frame shows whenever it has the focus.
    option.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    option.backgroundColor = palette().color(QPalette::Window);
    // Inside the sunken border, on the picture's light ground just within its own red
    // frame, where the platform's frame stands out; drawn twice for a line two pixels
    // wide that reads at a glance.
    const QRect inner = contentsRect();
    const int inset = inner.width() * pictureFrameInset / pictureWidth;
    for (int line = 0; line < 2; ++line) {
        option.rect = inner.adjusted(inset + line, inset + line, -inset - line, -inset - line);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// Enter acts at once and Space when it is let go, as on a push button.
void PictureButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) click();
            return;
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) spaceDown_ = true;
            return;
        default:
            FramedPicture::keyPressEvent(event);
    }
}

void PictureButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        if (!spaceDown_) return;
        spaceDown_ = false;
        click();
        return;
    }
    FramedPicture::keyReleaseEvent(event);
}

void PictureButton::focusOutEvent(QFocusEvent* event) {
    spaceDown_ = false;
    FramedPicture::focusOutEvent(event);
}

}  // namespace zivek::windows
