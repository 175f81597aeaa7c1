#pragma once

// The program's tools in the order they are changed: each in its colour on the plot (the
// list is the plot's legend for them), its number, what the program calls it, its moves,
// cutting length and cutting time. Choosing a tool chooses the line that changes to it.

#include <QTreeWidget>

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

class ToolList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ToolList(QWidget* parent = nullptr);
    // Hidden when the program names no tool.
    void showTools(const Toolpath& path);

  signals:
    void lineChosen(int line);
};

}  // namespace zivek::backplot
