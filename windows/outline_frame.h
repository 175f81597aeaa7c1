#pragma once

#include <QWidget>

namespace zivek::windows {

// Shape3: a black rectangle outline two pixels wide, not filled, inert.
class OutlineFrame : public QWidget {
    Q_OBJECT
  public:
    static constexpr int lineWidth = 2;

    explicit OutlineFrame(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zivek::windows
