#include "viewer/plot_painter.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPainterPath>
#include <QVector>
#include <cmath>

#include "viewer/texts.h"

namespace zivek::backplot {
namespace {

// Above this many segments antialiasing costs more than it shows.
constexpr std::size_t kAntialiasLimit = 20000;
constexpr double kGridPixels = 70;

QPointF at(const Viewport& view, Point p) {
    const ScreenPoint s = view.toScreen(p);
    return {s.x, s.y};
}

void drawSegments(QPainter& p, const std::vector<ScreenSegment>& segments, const QPen& pen) {
    QVector<QLineF> lines;
    lines.reserve(qsizetype(segments.size()));
    for (const ScreenSegment& s : segments) lines.append(QLineF(s.x1, s.y1, s.x2, s.y2));
    p.setPen(pen);
    p.drawLines(lines);
}

void paintGrid(QPainter& p, const Viewport& view) {
    const PlotColors& c = plotColors();
    const double step = gridStep(view.scale(), kGridPixels);
    const Point topLeft = view.toModel({0, 0});
    const Point bottomRight = view.toModel({view.width(), view.height()});
    const QFontMetrics fm(p.font());
    const double w = view.width();
    const double h = view.height();

    p.setPen(QPen(c.grid, 0));
    for (double z = std::ceil(topLeft.z / step) * step; z <= bottomRight.z; z += step)
        p.drawLine(QLineF(at(view, {z, 0}).x(), 0, at(view, {z, 0}).x(), h));
    for (double x = std::ceil(bottomRight.x / step) * step; x <= topLeft.x; x += step)
        p.drawLine(QLineF(0, at(view, {0, x}).y(), w, at(view, {0, x}).y()));

    // Values of the grid lines along the bottom (Z) and the left edge (X).
    p.setPen(c.gridText);
    for (double z = std::ceil(topLeft.z / step) * step; z <= bottomRight.z; z += step) {
        const QString t = number(std::abs(z) < step / 1e6 ? 0 : z);
        const double sx = at(view, {z, 0}).x();
        p.drawText(QPointF(sx - fm.horizontalAdvance(t) / 2.0, h - 6), t);
    }
    for (double x = std::ceil(bottomRight.x / step) * step; x <= topLeft.x; x += step) {
        const QString t = number(std::abs(x) < step / 1e6 ? 0 : x);
        const double sy = at(view, {0, x}).y();
        if (sy > h - 2 * fm.height()) continue;  // keep clear of the Z values
        p.drawText(QPointF(4, sy - 3), t);
    }
}

void paintReferenceLines(QPainter& p, const Viewport& view) {
    QPen pen(plotColors().reference, 0, Qt::DashDotLine);
    p.setPen(pen);
    const QPointF o = at(view, {});
    p.drawLine(QLineF(0, o.y(), view.width(), o.y()));
    p.drawLine(QLineF(o.x(), 0, o.x(), view.height()));
}

// Arrows for +Z and +X in the bottom right corner, and which side the chuck is on.
void paintAxisKey(QPainter& p, const Viewport& view) {
    const QFontMetrics fm(p.font());
    const double len = 36;
    const QPointF o(view.width() - len - 34, view.height() - 2 * fm.height() - 8);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1.4));
    p.setBrush(Qt::black);
    const QPointF zEnd = o + QPointF(len, 0);
    const QPointF xEnd = o + QPointF(0, -len);
    p.drawLine(o, zEnd);
    p.drawLine(o, xEnd);
    p.drawPolygon(QPolygonF({zEnd, zEnd + QPointF(-7, -3.5), zEnd + QPointF(-7, 3.5)}));
    p.drawPolygon(QPolygonF({xEnd, xEnd + QPointF(-3.5, 7), xEnd + QPointF(3.5, 7)}));
    p.drawText(zEnd + QPointF(5, fm.ascent() / 2.0 - 1), QStringLiteral("+Z"));
    p.drawText(xEnd + QPointF(-fm.horizontalAdvance(u'+') / 2.0 - 3, -5), QStringLiteral("+X"));
    p.setPen(plotColors().gridText);
    const QString chuck = QStringLiteral("← ayna tarafı");
    p.drawText(QPointF(o.x() - fm.horizontalAdvance(chuck) - 14, o.y() + fm.ascent() / 2.0 - 1),
               chuck);
    p.setBrush(Qt::NoBrush);
}

void paintLegend(QPainter& p) {
    const PlotColors& c = plotColors();
    const QFontMetrics fm(p.font());
    const QString feed = QStringLiteral("İlerleme (G1)");
    const QString rapid = QStringLiteral("Hızlı (G0)");
    const QString sel = QStringLiteral("Seçili satır");
    const int sample = 34;
    const int row = fm.height() + 4;
    const int width = sample + 14 +
                      std::max({fm.horizontalAdvance(feed), fm.horizontalAdvance(rapid),
                                fm.horizontalAdvance(sel)}) + 10;
    const QRectF box(10, 10, width, 3 * row + 8);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(c.reference, 0));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(box, 4, 4);
    p.setBrush(Qt::NoBrush);
    struct Entry {
        QPen pen;
        QString text;
    };
    QPen rapidPen(c.rapid, 1.5, Qt::CustomDashLine);
    rapidPen.setDashPattern({4, 3});
    const Entry entries[] = {{QPen(c.feed, 1.8), feed}, {rapidPen, rapid},
                             {QPen(c.selected, 3.5), sel}};
    double y = box.top() + 4 + row / 2.0;
    for (const Entry& e : entries) {
        p.setPen(e.pen);
        p.drawLine(QLineF(box.left() + 8, y, box.left() + 8 + sample, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + sample + 16, y + fm.ascent() / 2.0 - 1), e.text);
        y += row;
    }
}

// The work-zero symbol of drawings: a circle in quarters, two of them black.
void paintWorkZero(QPainter& p, const Viewport& view) {
    const QPointF o = at(view, {});
    const double r = 7;
    const QRectF box(o.x() - r, o.y() - r, 2 * r, 2 * r);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(box);
    p.setBrush(Qt::black);
    p.drawPie(box, 0 * 16, 90 * 16);
    p.drawPie(box, 180 * 16, 90 * 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.2));
    p.drawEllipse(box);
}

}  // namespace

const PlotColors& plotColors() {
    static const PlotColors colors;
    return colors;
}

void paintBase(QPainter& p, const Viewport& view, const ScreenSegments& segments,
               bool pathEmpty) {
    const PlotColors& c = plotColors();
    p.fillRect(QRectF(0, 0, view.width(), view.height()), c.background);
    p.setRenderHint(QPainter::Antialiasing, false);
    paintGrid(p, view);
    paintReferenceLines(p, view);

    const bool smooth = segments.rapid().size() + segments.feed().size() < kAntialiasLimit;
    p.setRenderHint(QPainter::Antialiasing, smooth);
    QPen rapidPen(c.rapid, smooth ? 1.3 : 1, Qt::CustomDashLine);
    rapidPen.setCosmetic(true);
    rapidPen.setDashPattern({5, 4});
    drawSegments(p, segments.rapid(), rapidPen);
    // Feed on top: the cut is what the machinist checks.
    QPen feedPen(c.feed, smooth ? 1.8 : 1);
    feedPen.setCosmetic(true);
    drawSegments(p, segments.feed(), feedPen);

    paintWorkZero(p, view);
    paintLegend(p);
    paintAxisKey(p, view);
    if (pathEmpty) {
        p.setPen(c.gridText);
        p.drawText(QRectF(0, 0, view.width(), view.height()), Qt::AlignCenter, noMovesText());
    }
}

void paintSelectedMove(QPainter& p, const Viewport& view, const Move& move) {
    const QPointF a = at(view, move.from);
    const QPointF b = at(view, move.to);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(plotColors().selected, 3.5);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(a, b);
    p.setBrush(plotColors().selected);
    p.drawEllipse(a, 3.5, 3.5);
    const QLineF line(a, b);
    if (line.length() > 12) {
        // An arrow head at the end shows which way the tool goes.
        QLineF back(b, a);
        back.setLength(13);
        QLineF left = back;
        left.setAngle(back.angle() + 24);
        QLineF right = back;
        right.setAngle(back.angle() - 24);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({b, left.p2(), right.p2()}));
    }
    p.setBrush(Qt::NoBrush);
}

void paintToolPosition(QPainter& p, const Viewport& view, Point at_) {
    const QPointF o = at(view, at_);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(plotColors().selected, 2));
    p.drawEllipse(o, 6, 6);
    p.drawLine(o + QPointF(-10, 0), o + QPointF(10, 0));
    p.drawLine(o + QPointF(0, -10), o + QPointF(0, 10));
}

}  // namespace zivek::backplot
