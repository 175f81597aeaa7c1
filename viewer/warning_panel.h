#pragma once

// Every warning of a program in one list: the workpiece's (a rapid into material, a feed
// into the part, material left uncut) and the reader's, grouped by kind with their
// counts, and buttons that step from one warned line to the next.

#include <QWidget>
#include <memory>
#include <vector>

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/workpiece_cut.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zivek::backplot {

class WarningPanel : public QWidget {
    Q_OBJECT
  public:
    explicit WarningPanel(QWidget* parent = nullptr);
    void setWarnings(const Toolpath& path, const std::vector<CutWarning>& cut);
    QTreeWidget* tree() const { return tree_; }
    bool empty() const { return lines_.empty(); }
    // The warned line after (+1) or before (-1) `line`, wrapping round; -1 when none.
    int lineFrom(int line, int direction) const;

  signals:
    void lineChosen(int line);
    void stepRequested(int direction);

  private:
    std::vector<std::uint32_t> lines_;  // every warned line, sorted, once each
    QTreeWidget* tree_;
};

}  // namespace zivek::backplot
