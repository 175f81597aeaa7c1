#pragma once

// The texts of finding in the program, going to a line and measuring on the plot, in
// Turkish. Numbers with a point, as the program writes them.

#include <QString>
#include <cstdint>
#include <vector>

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

QString findPlaceholderText();
// "3/17": the chosen line's place among the lines found; "17 satır" when it is none of them.
QString findCountText(std::size_t at, std::size_t count);
QString notFoundText();
QString findNextTip();
QString findPreviousTip();
QString closeBarTip();

QString goToLineLabelText();
QString goToLinePlaceholderText(std::size_t lineCount);  // "1–4500"
QString wentToLineText(std::size_t line, std::size_t lineCount);
QString lineOutOfRangeText(const QString& typed, std::size_t lineCount);

QString measureButtonText();
QString measureTip();
QString measureFirstPointText();
QString measureSecondPointText();
// Distance, ΔZ and ΔX from `a` to `b` (true radii); ΔX in the program's terms.
QString measureResultText(Point a, Point b, bool diameter, bool inch);

// A contour line chosen: which cycles read it, by their lines (0-based).
QString contourLineText(const std::vector<std::uint32_t>& cycleLines);

}  // namespace zivek::backplot
