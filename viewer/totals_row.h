#pragma once

// The totals in the status line: in one row where the window is wide enough, in more
// where it is not (a small screen at 200 %), so that no total is cut short.

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace zivek::backplot {

class TotalsRow : public QWidget {
  public:
    explicit TotalsRow(QWidget* parent = nullptr);
    // Takes the labels, in their order.
    void setLabels(const QList<QLabel*>& labels);
    int rowCount() const { return rowOf_.isEmpty() ? 0 : rowOf_.constLast() + 1; }

  protected:
    bool event(QEvent* event) override;

  private:
    void arrange(const QList<int>& rowOf);

    static constexpr int kRows = 3;
    QHBoxLayout* rows_[kRows];
    QList<QLabel*> labels_;
    QList<int> rowOf_;  // each label's row
};

}  // namespace zivek::backplot
