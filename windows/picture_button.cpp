#include "windows/picture_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "windows/accessibility.h"

namespace zivek::windows {

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
    // Inside the sunken border, over the picture's edge. A picture button takes the
    // focus from the keyboard alone (a click leaves the menu), so the frame always shows.
    option.rect = contentsRect().adjusted(1, 1, -1, -1);
    option.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
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
