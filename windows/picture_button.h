#pragma once

#include "windows/framed_picture.h"

namespace zivek::windows {

// A framed picture that acts as a button: a click, Enter or Space reports clicked().
// It shows the focus with the platform's focus frame inside its border, and names
// itself to assistive tools by its caption, with the role of a button.
class PictureButton : public FramedPicture {
    Q_OBJECT
  public:
    explicit PictureButton(const QString& caption, QWidget* parent = nullptr);

    // Acts as a click does.
    void click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool spaceDown_ = false;
};

}  // namespace zivek::windows
