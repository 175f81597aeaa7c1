#pragma once

#include <QFrame>
#include <QPixmap>

namespace zivek::windows {

// A picture control: a sunken border two pixels wide around a bitmap drawn at the
// inner top-left corner. Children are placed from that inner corner. It takes the
// focus but reacts to no key; a mouse click is reported as clicked().
class FramedPicture : public QFrame {
    Q_OBJECT
  public:
    static constexpr int borderWidth = 2;

    explicit FramedPicture(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
    bool pressed_ = false;
};

}  // namespace zivek::windows
