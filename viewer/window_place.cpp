#include "viewer/window_place.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "viewer/viewer_settings.h"

namespace zivek::backplot {
namespace {

// A frame's usual title bar and borders, in logical pixels, before the window manager
// has told its own: the window fits with them.
constexpr int kTitleBar = 32;
constexpr int kBorder = 8;

QScreen* screenFor(QPoint at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

QRect firstPlace(QSize designed, QRect available) {
    const QSize framed(designed.width() + 2 * kBorder, designed.height() + kTitleBar + kBorder);
    QRect frame(QPoint(), framed.boundedTo(available.size()));
    frame.moveCenter(available.center());
    return frame;
}

QRect keptPlace(QRect frame, QRect available) {
    frame.setSize(frame.size().boundedTo(available.size()));
    frame.moveLeft(
        std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(
        std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame;
}

WindowPlace::WindowPlace(QWidget* window, QSize designed)
    : QObject(window), window_(window), designed_(designed) {
    window->installEventFilter(this);
}

void WindowPlace::restore() {
    const QRect inside = ViewerSettings::windowInside.value();
    const QMargins frame = ViewerSettings::windowFrame.value().value_or(
        QMargins(kBorder, kTitleBar, kBorder, kBorder));
    QScreen* screen = screenFor(inside.isValid() ? inside.center() : QPoint());
    if (screen == nullptr) {
        window_->resize(designed_);
        return;
    }
    const QRect available = screen->availableGeometry();
    // Qt places the inside of the window; the frame around it is the window manager's.
    const QRect place = inside.isValid() ? keptPlace(inside.marginsAdded(frame), available)
                                         : firstPlace(designed_, available);
    window_->setGeometry(place.marginsRemoved(frame));
    if (inside.isValid() && ViewerSettings::windowMaximized.value())
        window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
}

bool WindowPlace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) keep();
    return QObject::eventFilter(watched, event);
}

void WindowPlace::keep() {
    // The place when not maximised, so that a maximised window comes back maximised over
    // the place it had before.
    const QRect inside = window_->geometry();
    const QRect outside = window_->frameGeometry();
    ViewerSettings::windowInside.keep(window_->normalGeometry());
    ViewerSettings::windowFrame.keep(
        QMargins(inside.left() - outside.left(), inside.top() - outside.top(),
                 outside.right() - inside.right(), outside.bottom() - inside.bottom()));
    ViewerSettings::windowMaximized.keep(window_->isMaximized());
}

}  // namespace zivek::backplot
