#pragma once

// Ctrl+G, or a digit typed in the program's lines: a line number, gone to on Enter and
// said where it went; a number beyond the program is answered with the program's range.

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace zivek::backplot {

class GoToLineBar : public QWidget {
    Q_OBJECT
  public:
    // `lineCount`: how many lines the program shown has.
    GoToLineBar(QWidget* parent, std::function<std::size_t()> lineCount);

    // Shown with the focus in its field; `typed` starts the number.
    void open(const QString& typed = {});
    QLineEdit* field() const { return field_; }
    QLabel* answer() const { return answer_; }

  signals:
    void lineChosen(int line);
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void go();

    std::function<std::size_t()> lineCount_;
    QLineEdit* field_;
    QLabel* answer_;
};

}  // namespace zivek::backplot
