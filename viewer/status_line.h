#pragma once

// The window's status line: the program's totals, in as many rows as its width needs;
// beside them the workpiece's warnings, which a machinist must not miss, and where the
// pointer stands on the plot.

#include <QObject>
#include <cstddef>

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"

class QLabel;
class QStatusBar;

namespace zivek::workpiece {
class WorkpieceCut;
}

namespace zivek::backplot {

class PlotWidget;

class StatusLine : public QObject {
  public:
    // Fills `bar`; the pointer's place follows `plot`.
    StatusLine(QStatusBar* bar, PlotWidget* plot);
    // A program read: its totals, in inches or millimetres, and its lines with a warning.
    void showProgram(const Summary& summary, bool inch, std::size_t linesWithWarnings);
    // The total time, with the rapids run at `rapidRate` (the path's units a minute).
    void showTotalTime(const Summary& summary, double rapidRate, bool inch);
    // The workpiece's warnings; none without a workpiece.
    void showCutWarnings(const WorkpieceCut* cut);
    // Nothing of a program.
    void clear();

  private:
    QLabel* moveCount_;
    QLabel* feedLength_;
    QLabel* rapidLength_;
    QLabel* cuttingTime_;
    QLabel* totalTime_;
    QLabel* warnings_;
    QLabel* cutWarnings_;
    QLabel* pointer_;
};

}  // namespace zivek::backplot
