#include "viewer/plot_painter.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLineF>
#include <QPixmap>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "viewer/texts.h"

namespace zivek::backplot {
namespace {

// Antialiasing and aligned dashes pay off for the few lines of a usual program; for a
// screen filled with passes they only slow panning down. Measured in pixels of line.
constexpr double kDetailInk = 100000;
constexpr double kGridPixels = 70;
constexpr double kAir = 26;
const QVector<qreal> kRapidDashes{5, 4};

QPointF at(const Viewport& view, Point p) {
    const ScreenPoint s = view.toScreen(p);
    return {s.x, s.y};
}

QPen rapidPen(double width) {
    QPen pen(plotColors().rapid, width, Qt::CustomDashLine);
    pen.setCosmetic(true);
    pen.setDashPattern(kRapidDashes);
    return pen;
}

QPen feedPen(double width) {
    QPen pen(plotColors().feed, width);
    pen.setCosmetic(true);
    return pen;
}

double inkLength(const std::vector<ScreenSegment>& segments) {
    double sum = 0;
    for (const ScreenSegment& s : segments) sum += std::abs(s.x2 - s.x1) + std::abs(s.y2 - s.y1);
    return sum;
}

void drawSolid(QPainter& p, const std::vector<ScreenSegment>& segments, const QPen& pen) {
    QVector<QLineF> lines;
    lines.reserve(qsizetype(segments.size()));
    for (const ScreenSegment& s : segments) lines.append(QLineF(s.x1, s.y1, s.x2, s.y2));
    p.setPen(pen);
    p.drawLines(lines);
}

// Rapids of many passes run over one another (the returns along X0 of a taper). Each
// dash pattern is anchored to the screen, not to the line's start, so that lines on top
// of one another still show as dashed.
void drawDashed(QPainter& p, const std::vector<ScreenSegment>& segments, QPen pen, bool aligned) {
    if (!aligned) {
        drawSolid(p, segments, pen);
        return;
    }
    const double period = (kRapidDashes[0] + kRapidDashes[1]) * pen.widthF();
    for (ScreenSegment s : segments) {
        if (s.x2 < s.x1 || (s.x2 == s.x1 && s.y2 < s.y1)) s = {s.x2, s.y2, s.x1, s.y1};
        const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
        if (len < 0.5) continue;
        const double along = (s.x1 * (s.x2 - s.x1) + s.y1 * (s.y2 - s.y1)) / len;
        pen.setDashOffset(std::fmod(std::fmod(along, period) + period, period) / pen.widthF());
        p.setPen(pen);
        p.drawLine(QLineF(s.x1, s.y1, s.x2, s.y2));
    }
}

template <typename Fn>
void forGridLines(double from, double to, double step, Fn&& fn) {
    // Counted in whole steps, and only while a step still changes the count: far from zero
    // (1.5E+15) a fine grid cannot be told apart and is left out.
    const double first = std::ceil(from / step);
    const double last = std::floor(to / step);
    if (!(last - first < 1000) || !(std::abs(first) < 1e15 && std::abs(last) < 1e15)) return;
    for (double i = first; i <= last; ++i) {
        const double v = i * step;
        if (!std::isfinite(v)) continue;
        fn(std::abs(v) < step / 1e6 ? 0.0 : v);  // a clean 0, not 1e-17
    }
}

// Calls fn for each grid value of the coordinate shown along one screen axis, as the
// program writes it, with the screen position (x for the horizontal axis, y for the
// vertical) of its line. The lines lie `step` apart in true size on both axes, so the
// grid is square; a diameter program's X values count twice as fast.
template <typename Fn>
void forAxisLines(const Viewport& view, bool horizontal, double step, Fn&& fn) {
    const Point topLeft = view.toModel({0, 0});
    const Point bottomRight = view.toModel({view.width(), view.height()});
    const double a = view.along(horizontal, topLeft);
    const double b = view.along(horizontal, bottomRight);
    if (view.alongX(horizontal)) step *= view.xLabelScale();
    forGridLines(std::min(a, b), std::max(a, b), step, [&](double v) {
        const QPointF s = at(view, view.onAxis(horizontal, v));
        fn(v, horizontal ? s.x() : s.y());
    });
}

void paintGrid(QPainter& p, const Viewport& view, double step) {
    p.setPen(QPen(plotColors().grid, 0));
    forAxisLines(view, true, step,
                 [&](double, double x) { p.drawLine(QLineF(x, 0, x, view.height())); });
    forAxisLines(view, false, step,
                 [&](double, double y) { p.drawLine(QLineF(0, y, view.width(), y)); });
}

// A font in which a ruler value fits into `room` pixels: the long exponent values of
// extreme programs are set smaller rather than cut or rounded.
QFont rulerFont(const QString& text, const QFont& font, double room) {
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width <= room) return font;
    QFont smaller = font;
    smaller.setPointSizeF(font.pointSizeF() * room / width);
    return smaller;
}

void paintRulers(QPainter& p, const Viewport& view, double step, const AxisNames& axes) {
    const PlotColors& c = plotColors();
    const QFontMetrics fm(p.font());
    const double w = view.width();
    const double h = view.height();
    const QColor band(0xF3, 0xF4, 0xF6);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(0, 0, kRulerWidth, h), band);
    p.fillRect(QRectF(0, h - kRulerHeight, w, kRulerHeight), band);
    p.setPen(QPen(c.reference, 0));
    p.drawLine(QLineF(kRulerWidth, 0, kRulerWidth, h - kRulerHeight));
    p.drawLine(QLineF(kRulerWidth, h - kRulerHeight, w, h - kRulerHeight));

    // The axis names sit at the ends the values grow towards; the chuck is to the left,
    // or below when the view stands upright.
    const bool upright = view.upright();
    const QString across = upright ? QStringLiteral("← ") + axes.x : axes.z + QStringLiteral(" →");
    const QString down = upright ? axes.z + QStringLiteral(" ↑") : axes.x + QStringLiteral(" ↑");
    const QString chuck = upright ? uiText(UiText::Chuck) + QStringLiteral(" ↓")
                                  : QStringLiteral("← ") + uiText(UiText::Chuck);
    const QString& leftText = upright ? across : chuck;
    const QString& rightText = upright ? chuck : across;
    const double baseline = h - kRulerHeight / 2 + fm.ascent() / 2.0 - 1;
    const double rightTextLeft = w - fm.horizontalAdvance(rightText) - 8;
    const double leftTextRight = kRulerWidth + 8 + fm.horizontalAdvance(leftText);
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(Qt::black);
    p.drawText(QPointF(upright ? kRulerWidth + 8 : rightTextLeft, baseline), across);
    p.drawText(QPointF(kRulerWidth + 8, fm.ascent() + 6), down);
    p.setFont(QFont());
    p.setPen(c.gridText);
    p.drawText(QPointF(upright ? rightTextLeft : kRulerWidth + 8, baseline), chuck);

    // Long values must not run into one another.
    double lastMiddle = -1e9;
    double lastWidth = 0;
    const QFont font = p.font();
    const auto valueText = [&](bool horizontal, double v) {
        return number(axes.xBothSides && view.alongX(horizontal) ? std::abs(v) : v);
    };
    forAxisLines(view, true, step, [&](double v, double x) {
        const QString t = valueText(true, v);
        p.setFont(rulerFont(t, font, kGridPixels - 8));
        const double width = QFontMetricsF(p.font()).horizontalAdvance(t);
        const double left = x - width / 2.0;
        const double right = left + width;
        if (left < leftTextRight + 6 || right > rightTextLeft - 6 ||
            std::abs(x - lastMiddle) < (width + lastWidth) / 2 + 8)
            return;
        p.drawText(QPointF(left, baseline), t);
        lastMiddle = x;
        lastWidth = width;
    });
    forAxisLines(view, false, step, [&](double v, double line) {
        const QString t = valueText(false, v);
        const double y = line + fm.ascent() / 2.0 - 1;
        if (y - fm.ascent() < fm.height() + 8 || y > h - kRulerHeight - 2) return;  // title
        p.setFont(rulerFont(t, font, kRulerWidth - 12));
        p.drawText(QPointF(kRulerWidth - QFontMetricsF(p.font()).horizontalAdvance(t) - 8, y), t);
    });
    p.setFont(font);
}

// The zero lines of both axes, through the work zero.
void paintReferenceLines(QPainter& p, const Viewport& view) {
    p.setPen(QPen(plotColors().reference, 0, Qt::DashDotLine));
    const QPointF o = at(view, {});
    p.drawLine(QLineF(0, o.y(), view.width(), o.y()));
    p.drawLine(QLineF(o.x(), 0, o.x(), view.height()));
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

QRectF plotArea(const Viewport& view) {
    return {kRulerWidth, 0, std::max(view.width() - kRulerWidth, 0.0),
            std::max(view.height() - kRulerHeight, 0.0)};
}

Margins fitMargins() {
    // More air at the top: the X title stands there, and X0 often lies on that edge.
    return {kRulerWidth + kAir, kAir + 12, kAir, kRulerHeight + kAir};
}

QPixmap legendSample(LegendEntry entry) {
    QPixmap pixmap(36, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (entry) {
        case LegendEntry::Feed:
            p.setPen(feedPen(1.8));
            break;
        case LegendEntry::Rapid:
            p.setPen(rapidPen(1.3));
            break;
        case LegendEntry::Selected:
            p.setPen(QPen(plotColors().selected, 3.5));
            break;
    }
    p.drawLine(QLineF(2, 6, 34, 6));
    return pixmap;
}

namespace {

// The cuts in their tools' colours: one batch of lines per colour.
void drawFeeds(QPainter& p, const ScreenSegments& segments, std::span<const ToolShade> shades,
               double width) {
    QPen pen = feedPen(width);
    if (shades.empty()) {
        drawSolid(p, segments.feed(), pen);
        return;
    }
    const auto& tools = segments.feedTools();
    std::vector<ScreenSegment> batch;
    for (ToolShade shade = 0; shade <= *std::max_element(shades.begin(), shades.end()); ++shade) {
        batch.clear();
        for (std::size_t i = 0; i < tools.size(); ++i)
            if ((tools[i] == 0 ? 0 : shades[tools[i] - 1]) == shade)
                batch.push_back(segments.feed()[i]);
        pen.setColor(shadeColour(shade));
        if (!batch.empty()) drawSolid(p, batch, pen);
    }
}

}  // namespace

QPixmap toolSample(ToolShade shade) {
    QPixmap pixmap(36, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen = feedPen(2.4);
    pen.setColor(shadeColour(shade));
    p.setPen(pen);
    p.drawLine(QLineF(2, 6, 34, 6));
    return pixmap;
}

void paintBase(QPainter& p, const Viewport& view, const ScreenSegments& segments, bool pathEmpty,
               const AxisNames& axes, const std::function<void(QPainter&)>& underPath,
               std::span<const ToolShade> shades) {
    const PlotColors& c = plotColors();
    const double step = gridStep(view.scale(), kGridPixels);
    p.fillRect(QRectF(0, 0, view.width(), view.height()), c.background);
    p.setRenderHint(QPainter::Antialiasing, false);
    paintGrid(p, view, step);
    paintReferenceLines(p, view);
    if (underPath) underPath(p);

    const bool detailed = inkLength(segments.rapid()) + inkLength(segments.feed()) < kDetailInk;
    p.setRenderHint(QPainter::Antialiasing, detailed);
    drawDashed(p, segments.rapid(), rapidPen(detailed ? 1.3 : 1), detailed);
    // Feed on top: the cut is what the machinist checks.
    drawFeeds(p, segments, shades, detailed ? 1.8 : 1);
    // A cycle's contour drawn in place of passes that could not be worked out.
    QPen incomplete(c.incomplete, detailed ? 2.2 : 1, Qt::DashDotLine);
    incomplete.setCosmetic(true);
    drawSolid(p, segments.incomplete(), incomplete);

    paintWorkZero(p, view);
    paintRulers(p, view, step, axes);
    if (pathEmpty) {
        p.setPen(c.gridText);
        p.drawText(QRectF(0, 0, view.width(), view.height()), Qt::AlignCenter, noMovesText());
    }
}

void paintMirroredHalf(QPainter& p, const ScreenSegments& mirrored) {
    QColor faint = plotColors().feed;
    faint.setAlpha(90);
    QPen pen(faint, 1.2);
    pen.setCosmetic(true);
    p.setRenderHint(QPainter::Antialiasing, inkLength(mirrored.feed()) < kDetailInk);
    drawSolid(p, mirrored.feed(), pen);
}

void paintSelectedMove(QPainter& p, const Viewport& view, const std::vector<Point>& points) {
    if (points.size() < 2) return;
    const double pad = 20;
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(plotColors().selected, 3.5);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(plotColors().selected);
    // Deep in a zoom the move may reach millions of pixels past the window.
    for (std::size_t i = 1; i < points.size(); ++i) {
        const ScreenPoint from = view.toScreen(points[i - 1]);
        const ScreenPoint to = view.toScreen(points[i]);
        ScreenSegment s{from.x, from.y, to.x, to.y};
        if (!clipSegment(s, -pad, -pad, view.width() + pad, view.height() + pad)) continue;
        const QPointF a(s.x1, s.y1);
        const QPointF b(s.x2, s.y2);
        p.setPen(pen);
        p.drawLine(a, b);
        if (i == 1 && s.x1 == from.x && s.y1 == from.y) p.drawEllipse(a, 3.5, 3.5);
        const bool endShown = i + 1 == points.size() && s.x2 == to.x && s.y2 == to.y;
        if (endShown && QLineF(a, b).length() > 12) {
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
    }
    p.setBrush(Qt::NoBrush);
}

void paintToolPosition(QPainter& p, const Viewport& view, Point position) {
    const QPointF o = at(view, position);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(plotColors().selected, 2));
    p.drawEllipse(o, 6, 6);
    p.drawLine(o + QPointF(-10, 0), o + QPointF(10, 0));
    p.drawLine(o + QPointF(0, -10), o + QPointF(0, 10));
}

}  // namespace zivek::backplot
