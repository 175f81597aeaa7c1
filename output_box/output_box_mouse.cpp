// The mouse on the output box: selecting by dragging (scrolling on a timer when the
// pointer leaves the box), words by a double click and lines by a triple one, and
// the Linux selection, set when a drag ends and pasted by the middle button.
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "output_box/output_box.h"

namespace zivek::windows {
namespace {

// How often a drag past an edge scrolls, as Qt's own text boxes do.
constexpr int autoScrollInterval = 50;

}  // namespace

void OutputBox::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::MiddleButton) return;  // pastes when let go
    if (event->button() != Qt::LeftButton) return;
    const bool tripleClick =
        sinceDoubleClick_.isValid() &&
        sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
        (point - doubleClickPoint_).manhattanLength() < QApplication::startDragDistance();
    sinceDoubleClick_.invalidate();
    dragPoint_ = point;
    if (tripleClick) {
        drag_ = Drag::Lines;
        dragLineAnchor_ = static_cast<std::size_t>(text_.lineOf(positionAt(point)));
        extendDrag();
        return;
    }
    drag_ = Drag::Characters;
    moveCaret(positionAt(point), event->modifiers() & Qt::ShiftModifier);
}

void OutputBox::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || drag_ == Drag::None) return;
    dragPoint_ = event->position().toPoint();
    if (viewport()->rect().contains(dragPoint_))
        autoScroll_.stop();
    else if (!autoScroll_.isActive())
        autoScroll_.start(autoScrollInterval, this);
    extendDrag();
}

void OutputBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        pastePrimarySelection(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    autoScroll_.stop();
    if (drag_ != Drag::None) {
        drag_ = Drag::None;
        setPrimarySelection();
    }
}

void OutputBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    const auto [begin, end] = text_.wordAround(positionAt(point));
    drag_ = Drag::Characters;
    anchor_ = begin;
    moveCaret(end, true);
    sinceDoubleClick_.start();
    doubleClickPoint_ = point;
}

// The selection follows the pointer, held inside the box; outside it the timer
// scrolls toward the pointer.
void OutputBox::extendDrag() {
    const QRect area = viewport()->rect();
    const QPoint held(std::clamp(dragPoint_.x(), area.left(), area.right()),
                      std::clamp(dragPoint_.y(), area.top(), lastRowBottom()));
    const std::size_t at = positionAt(held);
    if (drag_ != Drag::Lines) {
        moveCaret(at, true);
        return;
    }
    // By whole lines, each with its line end, from the line the triple click was on.
    const int first = static_cast<int>(dragLineAnchor_);
    const int current = text_.lineOf(at);
    const auto after = [&](int line) {
        return line + 1 < lineCount() ? text_.lineStart(line + 1) : text_.size();
    };
    if (current >= first) {
        anchor_ = text_.lineStart(first);
        moveCaret(after(current), true);
    } else {
        anchor_ = after(first);
        moveCaret(text_.lineStart(current), true);
    }
}

void OutputBox::autoScroll() {
    const QRect area = viewport()->rect();
    // Faster the farther the pointer is from the edge, as in Qt's own text boxes.
    const auto speed = [](int beyond, int unit) { return 1 + beyond / std::max(1, unit); };
    QScrollBar* vertical = verticalScrollBar();
    if (dragPoint_.y() < area.top())
        vertical->setValue(vertical->value() - speed(area.top() - dragPoint_.y(), lineHeight_));
    else if (dragPoint_.y() > area.bottom())
        vertical->setValue(vertical->value() + speed(dragPoint_.y() - area.bottom(), lineHeight_));
    QScrollBar* horizontal = horizontalScrollBar();
    const int step = horizontal->singleStep();
    if (dragPoint_.x() < area.left())
        horizontal->setValue(horizontal->value() -
                             step * speed(area.left() - dragPoint_.x(), step));
    else if (dragPoint_.x() > area.right())
        horizontal->setValue(horizontal->value() +
                             step * speed(dragPoint_.x() - area.right(), step));
    extendDrag();
}

void OutputBox::pastePrimarySelection(QPoint viewportPoint) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) return;
    const QString text = clipboard->text(QClipboard::Selection);
    moveCaret(positionAt(viewportPoint), false);
    insertText(text, false);
}

}  // namespace zivek::windows
