#include "viewer/measure_tool.h"

#include <QPushButton>
#include <QShortcut>
#include <cmath>

#include "viewer/find_measure_texts.h"

namespace zivek::backplot {
namespace {

constexpr double kSnapPixels = 8;  // a point farther than this from any is not taken
const QColor kMeasureColor(0xC0, 0x26, 0x8B);

}  // namespace

MeasureTool::MeasureTool(PlotWidget* plot) : QObject(plot), plot_(plot) {}

void MeasureTool::setActive(bool on) {
    if (on == active_) return;
    active_ = on;
    clear();
    plot_->setTool(on ? this : nullptr);
    emit activeChanged(on);
    emit textChanged(text());
}

void MeasureTool::restart() {
    clear();
    emit textChanged(text());
}

void MeasureTool::clear() {
    first_.reset();
    second_.reset();
    hover_.reset();
}

QString MeasureTool::text() const {
    if (!active_) return {};
    const Toolpath* path = plot_->toolpath();
    if (first_ && second_ && path)
        return measureResultText(*first_, *second_, path->diameterMode, path->inch);
    return first_ ? measureSecondPointText() : measureFirstPointText();
}

std::optional<Point> MeasureTool::snap(QPointF at) const {
    const Toolpath* path = plot_->toolpath();
    if (!path) return std::nullopt;
    const Viewport& view = plot_->viewport();
    std::optional<Point> best;
    double bestDistance = kSnapPixels;
    const auto consider = [&](Point p) {
        const ScreenPoint s = view.toScreen(p);
        const double d = std::hypot(s.x - at.x(), s.y - at.y());
        if (d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    };
    for (const Move& m : path->moves) {
        consider(m.from);
        consider(m.to);
    }
    for (const Arc& a : path->arcs) consider(a.center);
    return best;
}

void MeasureTool::clicked(QPointF at) {
    const std::optional<Point> p = snap(at);
    if (!p) return;
    if (!first_ || second_) {  // a third click starts a new measure
        first_ = p;
        second_.reset();
    } else {
        second_ = p;
    }
    plot_->update();
    emit textChanged(text());
}

void MeasureTool::hovered(QPointF at) {
    const std::optional<Point> p = snap(at);
    if (p == hover_) return;
    hover_ = p;
    plot_->update();
}

void MeasureTool::paint(QPainter& p, const Viewport& view) const {
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto screen = [&view](Point at) {
        const ScreenPoint s = view.toScreen(at);
        return QPointF(s.x, s.y);
    };
    const auto mark = [&](Point at, double size) {
        const QPointF c = screen(at);
        p.drawLine(c + QPointF(-size, -size), c + QPointF(size, size));
        p.drawLine(c + QPointF(-size, size), c + QPointF(size, -size));
        p.drawEllipse(c, size, size);
    };
    QPen pen(kMeasureColor, 2);
    p.setBrush(Qt::NoBrush);
    if (first_ && second_) {
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.drawLine(screen(*first_), screen(*second_));
        pen.setStyle(Qt::SolidLine);
    }
    p.setPen(pen);
    for (const auto& at : {first_, second_})
        if (at) mark(*at, 6);
    if (hover_) {
        p.setPen(QPen(kMeasureColor, 1));
        p.drawRect(QRectF(screen(*hover_) - QPointF(8, 8), QSizeF(16, 16)));
    }
}

QPushButton* makeMeasureButton(QWidget* window, MeasureTool* tool) {
    auto* button = new QPushButton(measureButtonText(), window);
    button->setObjectName(QStringLiteral("measure"));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(measureTip());
    QObject::connect(button, &QPushButton::toggled, tool, &MeasureTool::setActive);
    QObject::connect(tool, &MeasureTool::activeChanged, button, &QPushButton::setChecked);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_M), window), &QShortcut::activated, button,
                     &QPushButton::toggle);
    // Esc leaves measuring only while it is on: elsewhere it closes bars and dialogs.
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    leave->setEnabled(false);
    QObject::connect(leave, &QShortcut::activated, tool, [tool] { tool->setActive(false); });
    QObject::connect(tool, &MeasureTool::activeChanged, leave, &QShortcut::setEnabled);
    return button;
}

}  // namespace zivek::backplot
