#pragma once

// Ctrl+F over the program's lines: the text typed is looked for in the program as held,
// whatever its case; Enter and Shift+Enter (F3, Shift+F3) go to the next and the previous
// line holding it, and the bar says which of how many that is.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace zivek::backplot {

class FindBar : public QWidget {
    Q_OBJECT
  public:
    // `text`: the program as held; `current`: the line chosen now, -1 for none.
    FindBar(QWidget* parent, std::function<const std::string&()> text,
            std::function<int()> current);

    // Shown with the focus in its field, its text selected; `typed` replaces the text.
    void open(const QString& typed = {});
    // The program was read anew: the lines found belong to the one before.
    void programChanged();
    void next() { step(+1); }
    void previous() { step(-1); }

    QLineEdit* field() const { return field_; }
    QLabel* count() const { return count_; }
    const std::vector<std::uint32_t>& found() const { return found_; }

  signals:
    void lineChosen(int line);
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void search();
    void step(int direction);
    void showCount();

    std::function<const std::string&()> text_;
    std::function<int()> current_;
    QLineEdit* field_;
    QLabel* count_;
    std::vector<std::uint32_t> found_;
};

}  // namespace zivek::backplot
