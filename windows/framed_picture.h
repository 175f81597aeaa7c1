#pragma once

#include <QFrame>
#include <QPixmap>

#include "windows/control_definition.h"

namespace zivek::windows {

// A picture control: a sunken border two pixels wide around a bitmap drawn at the
// inner top-left corner. Children are placed from that inner corner. It takes the
// focus but reacts to no key; a mouse click is reported as clicked().
class FramedPicture : public QFrame {
    Q_OBJECT
  public:
    static constexpr int borderWidth = 2;

    // The picture at its own size, or stretched to fill the inside of the border.
    enum class Fit { OwnSize, FillFrame };

    explicit FramedPicture(QWidget* parent = nullptr);

    void setPicture(const Picture& source, Fit fit);
    // The bitmap as it is drawn on the screen the control is on now: rendered for that
    // screen's device pixel ratio, and again when the ratio changes.
    QPixmap picture() const;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Picture source_;
    Fit fit_ = Fit::OwnSize;
    mutable QPixmap rendered_;
    mutable QSize renderedSize_;  // logical
    bool pressed_ = false;
};

}  // namespace zivek::windows
