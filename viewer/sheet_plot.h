#pragma once

// The sheet's plot: fitted to the part and the stock, not to the far points the tool
// rapids to; those stand at the plot's edge as arrows with their coordinates, and the
// work zero as its mark.

#include <QPainter>
#include <QSizeF>

#include "viewer/setup_sheet.h"
#include "viewer/viewport.h"

namespace zivek::backplot {

// The cutting moves, the stock and the part fill the box; without a cutting move, the
// window's view is shown again.
Viewport sheetPartView(const SheetContent& content, QSizeF box);

// The work zero's mark: a circle in black and white quarters, as the wizard draws it.
void paintZeroMark(QPainter& p, const Viewport& view);

// Arrows at the plot's edge towards the rapids' end points beyond it, each with its
// coordinates as the program writes them.
void paintFarPoints(QPainter& p, const Viewport& view, const Toolpath& path);

}  // namespace zivek::backplot
