#pragma once

// Where the window opens: on the first start as large as the designed size, but within
// the screen's free area whatever its size and scale; after that where and as large as
// it was last closed, moved and shrunk into the screen when that has changed since.

#include <QObject>
#include <QRect>

class QWidget;

namespace zivek::backplot {

// The window's frame on its first start: `designed` (the inside of the window) with room
// for a frame, no larger than `available`, in its middle.
QRect firstPlace(QSize designed, QRect available);
// A frame kept from before, moved and shrunk until it lies within `available`.
QRect keptPlace(QRect frame, QRect available);

// Places the window as it opens and keeps its place when it closes.
class WindowPlace : public QObject {
  public:
    explicit WindowPlace(QWidget* window, QSize designed);
    // Puts the window where it belongs; call before showing it.
    void restore();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void keep();

    QWidget* window_;
    QSize designed_;
};

}  // namespace zivek::backplot
