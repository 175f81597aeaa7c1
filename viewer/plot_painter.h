#pragma once

// Drawing of the plot's layers. The widget decides what to draw and when; these
// functions only paint.

#include <QColor>
#include <QPainter>
#include <functional>
#include <span>

#include "viewer/reader_names.h"
#include "viewer/screen_segments.h"
#include "viewer/tool_colours.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

struct PlotColors {
    QColor background{0xFF, 0xFF, 0xFF};
    QColor grid{0xEA, 0xEC, 0xEF};
    QColor gridText{0x6B, 0x72, 0x80};
    QColor reference{0x9C, 0xA3, 0xAF};
    QColor feed{0x10, 0x5E, 0xC8};
    QColor rapid{0xE0, 0x52, 0x0F};
    QColor feedText{0x0B, 0x4A, 0xA0};
    QColor rapidText{0xB0, 0x3A, 0x00};
    QColor selected{0x0E, 0xA5, 0x4A};
    QColor incomplete{0xB0, 0x1E, 0xC8};
};
const PlotColors& plotColors();

// Rulers with the grid values run along the left and the bottom edge of the plot.
inline constexpr double kRulerWidth = 58;
inline constexpr double kRulerHeight = 26;

// The part of the widget inside the rulers, where the path is drawn.
QRectF plotArea(const Viewport& view);

// The free room a fitted path keeps: the rulers and a little air.
Margins fitMargins();

enum class LegendEntry { Feed, Rapid, Selected };
// A short sample of the line style, for the legend beside the plot.
QPixmap legendSample(LegendEntry entry);

// The rulers' titles: "Z (mm)", "X çap (mm)".
struct AxisNames {
    QString z;
    QString x;
    // Both halves of a part show: its diameters read the same on either side of the axis.
    bool xBothSides = false;
};

// Grid, rulers with values, the X0 and Z0 lines, the path and the work-zero symbol;
// `underPath` paints between the grid and the path; the cuts of each tool in its shade
// (by Toolpath::tools), all in the feed colour when there are none.
void paintBase(QPainter& p, const Viewport& view, const ScreenSegments& segments, bool pathEmpty,
               const AxisNames& axes, const std::function<void(QPainter&)>& underPath = {},
               std::span<const ToolShade> shades = {});

// A short line in the tool's colour, for the legend and the tool list.
QPixmap toolSample(ToolShade shade);

// The mirrored half of a part below the axis: its cuts, faint, no rapids.
void paintMirroredHalf(QPainter& p, const ScreenSegments& mirrored);

// The selected move (a line, or an arc as a chain of points), drawn over everything
// with its direction.
void paintSelectedMove(QPainter& p, const Viewport& view, const std::vector<Point>& points);

// Where the tool stands after a line that commands no move.
void paintToolPosition(QPainter& p, const Viewport& view, Point at);

}  // namespace zivek::backplot
