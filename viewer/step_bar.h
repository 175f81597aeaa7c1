#pragma once

// Steps through the program: a slider over its lines and buttons for one line back,
// one line on and the end. The value is how many lines have run.

#include <QWidget>

class QLabel;
class QSlider;

namespace zivek::backplot {

class StepBar : public QWidget {
    Q_OBJECT
  public:
    explicit StepBar(QWidget* parent = nullptr);
    void setLineCount(int lines);  // and shows the end
    // Moves the slider without telling anyone.
    void showLinesRun(int lines);
    int linesRun() const;
    QSlider* slider() const { return slider_; }

  signals:
    void linesRunChosen(int lines);

  private:
    void updateText();
    QSlider* slider_;
    QLabel* text_;
};

}  // namespace zivek::backplot
