#pragma once

// The warnings of a program, grouped by kind with their counts, and buttons that step
// from one warned line to the next.

#include <QWidget>
#include <memory>

#include "gcode/toolpath.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zivek::backplot {

class WarningPanel : public QWidget {
    Q_OBJECT
  public:
    explicit WarningPanel(QWidget* parent = nullptr);
    void setPath(std::shared_ptr<const Toolpath> path);
    QTreeWidget* tree() const { return tree_; }
    // The warned line after (+1) or before (-1) `line`, wrapping round; -1 when none.
    int lineFrom(int line, int direction) const;

  signals:
    void lineChosen(int line);
    void stepRequested(int direction);

  private:
    std::shared_ptr<const Toolpath> path_;
    QTreeWidget* tree_;
    QLabel* title_;
};

}  // namespace zivek::backplot
