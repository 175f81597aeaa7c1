#pragma once

// The setup sheet: one A4 page that travels with a job to the machine. It is painted
// with the plot's own painting code, so the paper shows what the window showed.

#include <QDateTime>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>

#include "viewer/plot_painter.h"
#include "viewer/reader_names.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/workpiece_cut.h"

class QPagedPaintDevice;

namespace zivek::backplot {

class WorkpieceLayer;

struct SheetContent {
    QString file;                  // the program's full path
    std::string_view programText;  // as read, for what its lines say of it
    QDateTime printed;
    std::shared_ptr<const Toolpath> path;
    const WorkpieceCut* cut = nullptr;      // none: the path only
    const WorkpieceLayer* layer = nullptr;  // the workpiece as the plot shows it
    Viewport view;                          // the window's view, whose plot area is copied
    AxisNames axes;                         // and whether the mirrored half shows
    double rapidRate = 0;
    QString stock;  // a shop program's bar as the window says it; empty: the wizard's block
};

// The window's plot area, in true size, shown again in the sheet's box of another size.
Viewport sheetPlotView(const Viewport& shown, QSizeF box);

// Paints the sheet onto a page `size` units wide and high, at 96 units an inch. Tools that
// do not fit go on a second page when `newPage` gives one, else their count is said.
void paintSetupSheet(QPainter& p, QSizeF size, const SheetContent& content,
                     const std::function<bool()>& newPage = {});

// Sets the device up for the sheet (A4, upright, 96 units an inch) and paints it.
bool printSetupSheet(QPagedPaintDevice& device, const SheetContent& content);

// Writes the sheet as a PDF; false when the file could not be written.
bool writeSetupSheet(const QString& pdf, const SheetContent& content);

}  // namespace zivek::backplot
