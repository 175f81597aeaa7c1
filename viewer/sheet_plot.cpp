#include "viewer/sheet_plot.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "viewer/plot_painter.h"
#include "viewer/texts.h"

namespace zivek::backplot {
namespace {

// A tool-change point far out is one arrow, not one per rapid to it.
constexpr std::size_t kMostFarPoints = 4;
constexpr double kEdgeInset = 16;

void addRegions(Extent& e, const std::vector<ConvexRegion>& regions) {
    for (const ConvexRegion& r : regions) {
        e.add(r.low);
        e.add(r.high);
    }
}

}  // namespace

Viewport sheetPartView(const SheetContent& c, QSizeF box) {
    Extent e = c.path->summary.cutExtent;
    if (e.empty) return sheetPlotView(c.view, box);
    if (c.cut) {
        addRegions(e, c.cut->material());
        addRegions(e, c.cut->part());
    }
    e.add(Point{0, 0});  // the work zero, which the setup is measured from
    if (c.axes.xBothSides) e.add(Point{e.min.z, -e.max.x});
    Viewport view;
    view.setUpright(c.view.upright());
    view.setXLabelScale(c.view.xLabelScale());
    view.setSize(box.width(), box.height());
    view.fit(e, fitMargins());
    return view;
}

void paintZeroMark(QPainter& p, const Viewport& view) {
    const ScreenPoint s = view.toScreen(Point{0, 0});
    const QPointF at(s.x, s.y);
    if (!plotArea(view).contains(at)) return;
    constexpr double r = 6;
    const QRectF circle(at.x() - r, at.y() - r, 2 * r, 2 * r);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(circle);
    p.setBrush(Qt::black);
    // Two opposite quarters black: QPainter counts sixteenths of a degree.
    p.drawPie(circle, 0, 90 * 16);
    p.drawPie(circle, 180 * 16, 90 * 16);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
    // The label on the side with room: the zero is often the part's right-hand corner.
    const QString label = sheetZeroMarkText();
    const double w = QFontMetricsF(p.font()).horizontalAdvance(label);
    const bool roomRight = at.x() + r + 3 + w < plotArea(view).right() - 2;
    p.drawText(QPointF(roomRight ? at.x() + r + 3 : at.x() - r - 3 - w, at.y() + r + 12), label);
    p.restore();
}

void paintFarPoints(QPainter& p, const Viewport& view, const Toolpath& path) {
    const QRectF area = plotArea(view);
    const QRectF inside = area.adjusted(kEdgeInset, kEdgeInset, -kEdgeInset, -kEdgeInset);
    std::vector<Point> far;
    for (const Move& m : path.moves) {
        if (m.kind != MoveKind::Rapid) continue;
        const ScreenPoint s = view.toScreen(m.to);
        if (area.contains(QPointF(s.x, s.y))) continue;
        if (std::find(far.begin(), far.end(), m.to) != far.end()) continue;
        far.push_back(m.to);
        if (far.size() == kMostFarPoints) break;
    }
    if (far.empty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = plotColors().rapidText;
    const QFontMetricsF fm(p.font());
    for (const Point& point : far) {
        const ScreenPoint s = view.toScreen(point);
        const QPointF centre = inside.center();
        QPointF dir(s.x - centre.x(), s.y - centre.y());
        const double length = std::hypot(dir.x(), dir.y());
        if (!(length > 0)) continue;
        dir /= length;
        // Where the line from the centre towards the point leaves the inner box.
        const double tx = dir.x() != 0 ? (inside.width() / 2) / std::abs(dir.x()) : 1e300;
        const double ty = dir.y() != 0 ? (inside.height() / 2) / std::abs(dir.y()) : 1e300;
        const QPointF tip = centre + dir * std::min(tx, ty);
        const QPointF tail = tip - dir * 26;
        p.setPen(QPen(ink, 1.6));
        p.drawLine(tail, tip);
        const QPointF side(-dir.y(), dir.x());
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip - dir * 8 + side * 4);
        head.lineTo(tip - dir * 8 - side * 4);
        head.closeSubpath();
        p.fillPath(head, ink);
        const QString label = sheetFarPointText(point.z, point.x * path.xScale());
        const double w = fm.horizontalAdvance(label);
        // The label beside the tail, kept inside the plot.
        QPointF at = tail - QPointF(dir.x() > 0 ? w + 4 : -4, dir.y() > 0 ? 4 : -fm.ascent() - 4);
        at.setX(std::clamp(at.x(), area.left() + 2, area.right() - w - 2));
        at.setY(std::clamp(at.y(), area.top() + fm.ascent() + 2, area.bottom() - 4));
        p.drawText(at, label);
    }
    p.restore();
}

}  // namespace zivek::backplot
