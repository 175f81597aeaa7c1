#include "viewer/contour_moves.h"

#include <QPainterPath>

namespace zivek::backplot {

std::vector<std::size_t> contoursHolding(const Toolpath& path, std::size_t line) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < path.contours.size(); ++i)
        if (path.contours[i].holds(line)) found.push_back(i);
    return found;
}

void paintContourMoves(QPainter& p, const Viewport& view, const Toolpath& path,
                       const std::vector<std::size_t>& contours) {
    // Broad and see-through, so the path's own colours still show under it.
    QPen pen(QColor(0xFA, 0xCC, 0x15, 150), 7);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double tolerance = 0.5 / view.scale();
    for (const std::size_t c : contours) {
        const CycleContour& contour = path.contours[c];
        QPainterPath line;
        for (std::size_t m = contour.firstMove; m < contour.endMove && m < path.moves.size(); ++m) {
            const std::vector<Point> points = polyline(path, m, tolerance);
            for (std::size_t k = 0; k < points.size(); ++k) {
                const ScreenPoint s = view.toScreen(points[k]);
                if (m == contour.firstMove && k == 0)
                    line.moveTo(s.x, s.y);
                else
                    line.lineTo(s.x, s.y);
            }
        }
        p.drawPath(line);
    }
}

}  // namespace zivek::backplot
