#include "viewer/setup_sheet.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "viewer/plot_painter.h"
#include "viewer/screen_segments.h"
#include "viewer/sheet_facts.h"
#include "viewer/sheet_plot.h"
#include "viewer/texts.h"
#include "viewer/tool_colours.h"
#include "viewer/workpiece_layer.h"

namespace zivek::backplot {
namespace {

// Units of the sheet: the plot's pens and fonts were made for screen pixels.
constexpr int kUnitsPerInch = 96;
constexpr double kMargin = 40;
constexpr double kGap = 10;
constexpr double kSignatureHeight = 78;
const QColor kInk(0x11, 0x18, 0x27);
const QColor kQuiet(0x4B, 0x55, 0x63);
const QColor kRule(0x9C, 0xA3, 0xAF);

QFont sized(double points, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Writes one line at `y` (its top) and returns the top of the next.
double line(QPainter& p, double x, double y, const QString& text, const QFont& font,
            const QColor& color = kInk, double width = 0) {
    p.setFont(font);
    p.setPen(color);
    const QFontMetricsF fm(font);
    const QString shown = width > 0 ? fm.elidedText(text, Qt::ElideMiddle, width) : text;
    p.drawText(QPointF(x, y + fm.ascent()), shown);
    return y + fm.height() + 2;
}

double heading(QPainter& p, double x, double y, double width, const QString& text) {
    y = line(p, x, y, text, sized(10.5, true));
    p.setPen(QPen(kRule, 0.8));
    p.drawLine(QLineF(x, y, x + width, y));
    return y + 5;
}

void paintPlot(QPainter& p, const QRectF& box, const SheetContent& c) {
    const Viewport view = sheetPartView(c, box.size());
    ScreenSegments segments;
    segments.build(*c.path, view);
    ScreenSegments mirrored;
    if (c.axes.xBothSides) {
        Viewport mirror = view;
        mirror.setMirrored(true);
        mirrored.build(*c.path, mirror);
    }
    p.save();
    p.translate(box.topLeft());
    p.setClipRect(QRectF(0, 0, box.width(), box.height()));
    p.setFont(sized(8));
    paintBase(
        p, view, segments, c.path->moves.empty(), c.axes,
        [&](QPainter& under) {
            if (c.layer) c.layer->paintUnder(under, view);
            paintMirroredHalf(under, mirrored);
        },
        toolShades(*c.path));
    p.setClipRect(plotArea(view));
    if (c.layer) c.layer->paintOver(p, view);
    paintZeroMark(p, view);
    p.setClipRect(QRectF(0, 0, box.width(), box.height()));
    paintFarPoints(p, view, *c.path);
    p.restore();
    p.setPen(QPen(kRule, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
}

// The line styles of the plot, named below it.
double paintLegend(QPainter& p, double x, double y, bool workpiece) {
    const PlotColors& c = plotColors();
    QPen rapid(c.rapid, 1.3, Qt::DashLine);
    std::vector<std::pair<QPen, QString>> entries{{QPen(c.feed, 1.8), sheetLegendText(0)},
                                                  {rapid, sheetLegendText(1)}};
    if (workpiece) entries.push_back({QPen(drawingColors().warning, 3), sheetLegendText(2)});
    const QFont font = sized(8.5);
    const QFontMetricsF fm(font);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& [pen, text] : entries) {
        p.setPen(pen);
        p.drawLine(QLineF(x, y + fm.height() / 2, x + 28, y + fm.height() / 2));
        line(p, x + 34, y, text, font, kQuiet);
        x += 34 + fm.horizontalAdvance(text) + 18;
    }
    if (workpiece) {
        p.setPen(Qt::NoPen);
        p.setBrush(drawingColors().part);
        p.drawRect(QRectF(x, y + 2, 28, fm.height() - 4));
        p.setBrush(Qt::NoBrush);
        line(p, x + 34, y, sheetLegendText(3), font, kQuiet);
    }
    return y + fm.height() + 2;
}

// The tools in the order they are changed, each with its colour on the plot and its share,
// from tool `from` on as far as `bottom` leaves room. Gives where the list ended and the
// first tool not listed.
std::pair<double, std::size_t> paintTools(QPainter& p, double x, double y, double width,
                                          double bottom, const Toolpath& path, std::size_t from) {
    if (from >= path.tools.size()) return {y, from};
    y = heading(p, x, y, width,
                from == 0 ? sheetToolsTitle(path.tools.size()) : sheetToolsGoOnTitle());
    const std::vector<ToolShade> shades = toolShades(path);
    const QFont font = sized(9);
    const double step = QFontMetricsF(font).height() + 2;
    const double half = QFontMetricsF(font).height() / 2;
    p.setRenderHint(QPainter::Antialiasing, true);
    std::size_t i = from;
    for (; i < path.tools.size() && y + step <= bottom; ++i) {
        p.setPen(QPen(shadeColour(shades[i]), 2.4));
        p.drawLine(QLineF(x, y + half, x + 28, y + half));
        y = line(p, x + 34, y, sheetToolText(i + 1, path.tools[i], path.inch), font, kInk,
                 width - 34);
    }
    return {y + kGap, i};
}

void paintFooter(QPainter& p, double left, double width, double footer) {
    p.setPen(QPen(kRule, 0.8));
    p.drawLine(QLineF(left, footer - 2, left + width, footer - 2));
    line(p, left, footer, sheetFooterText(), sized(7.5), kQuiet);
}

struct SheetWarning {
    std::uint32_t line;
    QString text;
    bool workpiece;
};

std::vector<SheetWarning> allWarnings(const SheetContent& c) {
    std::vector<SheetWarning> all;
    for (const LineWarning& w : c.path->warnings) all.push_back({w.line, warningText(w), false});
    if (c.cut)
        for (const CutWarning& w : c.cut->warnings())
            all.push_back({w.line, cutWarningText(w), true});
    std::stable_sort(all.begin(), all.end(),
                     [](const SheetWarning& a, const SheetWarning& b) { return a.line < b.line; });
    return all;
}

double paintWarnings(QPainter& p, double x, double y, double width, double bottom,
                     const SheetContent& c) {
    const std::vector<SheetWarning> all = allWarnings(c);
    y = heading(p, x, y, width, sheetWarningsTitle(all.size()));
    if (all.empty()) return line(p, x, y, sheetNoWarningsText(), sized(9), kQuiet);
    const QFont font = sized(9);
    const double step = QFontMetricsF(font).height() + 2;
    for (std::size_t i = 0; i < all.size(); ++i) {
        // The last line that fits says how many did not.
        if (y + 2 * step > bottom && i + 1 < all.size())
            return line(p, x, y, sheetMoreWarningsText(all.size() - i), sized(9, true), kInk);
        const QColor color = all[i].workpiece ? drawingColors().warning : plotColors().rapidText;
        y = line(p, x, y, sheetWarningText(all[i].line, all[i].text, all[i].workpiece), font, color,
                 width);
    }
    return y;
}

// Beside each other: the operation and its typed values (this system's programs) or the
// program's own notes; the setup and the stock.
double paintFacts(QPainter& p, double x, double y, double width, const SheetFacts& f) {
    const double column = (width - 2 * kGap) / 2;
    const QFont font = sized(9);
    double yl = y;
    if (!f.operation.isEmpty()) {
        yl = heading(p, x, yl, column, sheetOperationTitle(f.operation));
        for (const QString& t : f.typed) yl = line(p, x, yl, t, font, kInk, column);
    }
    if (!f.notes.isEmpty() || f.operation.isEmpty()) {
        if (yl > y) yl += kGap / 2;
        yl = heading(p, x, yl, column, sheetNotesTitle());
        for (const QString& t : f.notes) yl = line(p, x, yl, t, font, kInk, column);
        if (f.notes.isEmpty()) yl = line(p, x, yl, QStringLiteral("—"), font, kQuiet);
    }
    const double right = x + column + 2 * kGap;
    double yr = heading(p, right, y, column, sheetSetupTitle());
    for (const QString& t : f.setup) yr = line(p, right, yr, t, font, kInk, column);
    yr = line(p, right, yr + 3, f.stockTitle, sized(9, true), kInk, column);
    for (const QString& t : f.stock) yr = line(p, right, yr, t, font, kInk, column);
    return std::max(yl, yr);
}

// Written on by hand at the machine: notes, who prepared and who approved, and when.
void paintSignatureBox(QPainter& p, const QRectF& box) {
    p.setPen(QPen(kRule, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    const double split = box.left() + box.width() * 0.58;
    p.drawLine(QLineF(split, box.top(), split, box.bottom()));
    const QFont font = sized(8.5, true);
    line(p, box.left() + 6, box.top() + 4, sheetSignatureText(0), font, kQuiet);
    const double row = box.height() / 3;
    for (int i = 1; i <= 3; ++i) {
        const double top = box.top() + row * (i - 1);
        if (i > 1) {
            p.setPen(QPen(kRule, 0.8));
            p.drawLine(QLineF(split, top, box.right(), top));
        }
        line(p, split + 6, top + 4, sheetSignatureText(i) + QLatin1Char(':'), font, kQuiet);
    }
}

}  // namespace

Viewport sheetPlotView(const Viewport& shown, QSizeF box) {
    const QRectF area = plotArea(shown);
    const Point a = shown.toModel({area.left(), area.top()});
    const Point b = shown.toModel({area.right(), area.bottom()});
    Extent extent;
    extent.add(a);
    extent.add(b);
    Viewport view;
    view.setUpright(shown.upright());
    view.setXLabelScale(shown.xLabelScale());
    view.setSize(box.width(), box.height());
    view.fit(extent, fitMargins());
    return view;
}

void paintSetupSheet(QPainter& p, QSizeF size, const SheetContent& c,
                     const std::function<bool()>& newPage) {
    const double left = kMargin;
    const double width = size.width() - 2 * kMargin;
    const double bottom = size.height() - kMargin;
    const Toolpath& path = *c.path;
    p.setRenderHint(QPainter::TextAntialiasing, true);

    // The head: what this sheet is, which program, when.
    double y = kMargin;
    const QString date = sheetDateText(c.printed);
    p.setFont(sized(9));
    const double dateWidth = QFontMetricsF(p.font()).horizontalAdvance(date);
    line(p, left + width - dateWidth, y + 6, date, sized(9), kQuiet);
    y = line(p, left, y, sheetTitleText(), sized(16, true));
    const SheetFacts facts = sheetFacts(c);
    y = line(p, left, y, facts.title, sized(13, true), kInk, width);
    y = line(p, left, y, c.file, sized(8), kQuiet, width);
    y = line(p, left, y + 2, sheetDialectText(path.dialect, path.dialectChoice, path.diameterMode),
             sized(10), kInk, width);
    // The file's own date tells which edit of the program this sheet belongs to.
    const QFileInfo program(c.file);
    if (program.exists())
        y = line(p, left, y, sheetProgramDateText(program.lastModified()), sized(9), kQuiet);
    y += kGap;
    y = paintFacts(p, left, y, width, facts) + kGap;

    // The plot, fitted to the part and the stock.
    const QRectF box(left, y, width, width * 0.46);
    paintPlot(p, box, c);
    y = paintLegend(p, left, box.bottom() + 4, c.cut && !c.cut->part().empty()) + kGap;

    // Totals beside the part's size.
    const double column = (width - 2 * kGap) / 2;
    const Summary& s = path.summary;
    double yl = heading(p, left, y, column, sheetTotalsTitle());
    for (const QString& t :
         {moveCountText(s), feedLengthText(s, path.inch), rapidLengthText(s, path.inch),
          cuttingTimeText(s), totalTimeText(s, c.rapidRate),
          sheetRapidRateText(c.rapidRate, path.inch)})
        yl = line(p, left, yl, t, sized(9.5), kInk, column);
    const double right = left + column + 2 * kGap;
    // Where the tool cuts, as the program says; the part the wizard draws around it is
    // only a picture of one.
    double yr = heading(p, right, y, column, sheetCutAreaTitle());
    if (const Extent* e = &s.cutExtent; !e->empty) {
        const double xs = path.xScale();
        yr =
            line(p, right, yr, sheetSpanText(zAxisText(path.inch), e->min.z, e->max.z), sized(9.5));
        yr = line(
            p, right, yr,
            sheetSpanText(xAxisText(path.diameterMode, path.inch), e->min.x * xs, e->max.x * xs),
            sized(9.5));
        yr = line(p, right, yr, sheetLengthText(e->max.z - e->min.z, path.inch), sized(9.5));
    } else {
        yr = line(p, right, yr, noMovesText(), sized(9.5), kQuiet);
    }
    y = std::max(yl, yr) + kGap;

    const double footer = bottom - QFontMetricsF(sized(7.5)).height();
    const double signatures = footer - kSignatureHeight - kGap;
    // Room kept under the tools for the warnings' heading and a line.
    const double warningsRoom = 3 * (QFontMetricsF(sized(10.5, true)).height() + 2);
    const auto [toolsEnd, notListed] =
        paintTools(p, left, y, width, signatures - kGap - warningsRoom, path, 0);
    paintSignatureBox(p, QRectF(left, signatures, width, kSignatureHeight));
    paintFooter(p, left, width, footer);
    if (notListed == path.tools.size()) {
        paintWarnings(p, left, toolsEnd, width, signatures - kGap, c);
        return;
    }
    // More tools than one page holds: the rest, and the warnings, on a second page.
    if (!newPage || !newPage()) {
        line(p, left, toolsEnd, sheetMoreToolsText(path.tools.size() - notListed), sized(9, true));
        return;
    }
    y = line(p, left, kMargin, sheetSecondPageText(facts.title), sized(11, true), kInk, width);
    y = paintTools(p, left, y + kGap, width, footer - kGap, path, notListed).first;
    paintWarnings(p, left, y, width, footer - 4, c);
    paintFooter(p, left, width, footer);
}

bool printSetupSheet(QPagedPaintDevice& device, const SheetContent& content) {
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p;
    if (!p.begin(&device)) return false;
    // However fine the device, the sheet is laid out in units of a 96-dpi screen.
    const double scale = device.logicalDpiX() / double(kUnitsPerInch);
    p.scale(scale, scale);
    const QRectF page = device.pageLayout().fullRectPixels(kUnitsPerInch);
    paintSetupSheet(p, page.size(), content, [&device] { return device.newPage(); });
    return p.end();
}

bool writeSetupSheet(const QString& pdf, const SheetContent& content) {
    QPdfWriter writer(pdf);
    writer.setResolution(kUnitsPerInch);
    writer.setCreator(QStringLiteral("zivek-backplot"));
    writer.setTitle(sheetTitleText() + QStringLiteral(": ") + QFileInfo(content.file).fileName());
    return printSetupSheet(writer, content);
}

}  // namespace zivek::backplot
