#include "viewer/plot_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "viewer/contour_moves.h"
#include "viewer/plot_painter.h"
#include "viewer/reader_names.h"
#include "viewer/texts.h"
#include "viewer/workpiece_layer.h"

namespace zivek::backplot {
namespace {

constexpr double kPickPixels = 6;  // how near a click must be to take a move
constexpr double kDragPixels = 4;  // a press that moves less is a click

double distanceToSegment(QPointF p, ScreenPoint a, ScreenPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x() - a.x) * dx + (p.y() - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x() - (a.x + t * dx), p.y() - (a.y + t * dy));
}

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(240, 140);  // a laptop's screen at 200 %: about 680 by 380
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void PlotWidget::setToolpath(std::shared_ptr<const Toolpath> path, bool keepView) {
    path_ = std::move(path);
    view_.setXLabelScale(path_ ? path_->xScale() : 1.0);
    selectedMove_.reset();
    toolPosition_.reset();
    chosenContours_.clear();
    if (keepView) {
        viewChanged();
    } else {
        fitToPath();
    }
}

void PlotWidget::setUpright(bool upright) {
    view_.setUpright(upright);
    fitToPath();
}

void PlotWidget::layerChanged() {
    layerStale_ = true;
    update();
}

void PlotWidget::workpieceChanged() {
    layerChanged();
    if (fitted_) fitToPath();
}

AxisNames PlotWidget::axisNames() const {
    const bool diameter = path_ && path_->diameterMode;
    return {zAxisText(inch()), xAxisText(diameter, inch()), showsMirroredHalf()};
}

void PlotWidget::setHalfSection(bool on) {
    halfSection_ = on;
    fitToPath();
}

void PlotWidget::fitToPath() {
    view_.setSize(width(), height());
    view_.setXLabelScale(path_ ? path_->xScale() : 1.0);
    Extent extent;
    extent.add({});  // the work zero is always in the picture
    if (path_ && !path_->summary.extent.empty) {
        const Summary& s = path_->summary;
        // Retract and tool change positions far out would shrink the part to a corner:
        // then the cuts alone fill the picture.
        const Extent& all = s.extent;
        const Extent& cut = s.cutExtent;
        const bool cutsOnly = !cut.empty && (cut.max.z - cut.min.z) * 4 < (all.max.z - all.min.z) &&
                              (cut.max.x - cut.min.x) * 4 < (all.max.x - all.min.x);
        const Extent& shown = cutsOnly ? cut : all;
        if (cutsOnly) extent = Extent{};
        extent.add(shown.min);
        extent.add(shown.max);
        if (showsMirroredHalf()) extent.add({shown.min.z, -shown.max.x});
    }
    // The workpiece, and the insert wherever the tool goes, belong in the picture too.
    if (layer_ != nullptr) layer_->holdIn(extent, Extent(extent));
    view_.fit(extent, fitMargins());
    fitted_ = true;
    viewChanged();
}

void PlotWidget::setTool(PlotTool* tool) {
    tool_ = tool;
    update();
}

void PlotWidget::selectLine(int line) {
    selectedMove_.reset();
    toolPosition_.reset();
    chosenContours_.clear();
    if (path_ && line >= 0) chosenContours_ = contoursHolding(*path_, std::size_t(line));
    if (path_ && line >= 0) {
        if (const auto first = path_->firstMoveOf(std::size_t(line))) {
            selectedMove_ = *first;
            ensureVisible(path_->moves[*first]);
        } else {
            // Before the first move the tool stands at the work zero in this system's own
            // programs; elsewhere nobody knows where.
            // A contour's line is where the cycle's moves are, not where the tool stands.
            if (!chosenContours_.empty()) {
                const CycleContour& c = path_->contours[chosenContours_.back()];
                if (c.firstMove < c.endMove) ensureVisible(path_->moves[c.firstMove]);
            } else if (const std::size_t before = path_->movesBefore(std::size_t(line));
                       before > 0) {
                toolPosition_ = path_->moves[before - 1].to;
            } else if (path_->startsAtWorkZero) {
                toolPosition_ = Point{};
            }
        }
    }
    update();
}

void PlotWidget::ensureVisible(const Move& move) {
    const ScreenPoint a = view_.toScreen(move.from);
    const ScreenPoint b = view_.toScreen(move.to);
    ScreenSegment s{a.x, a.y, b.x, b.y};
    if (clipSegment(s, 0, 0, view_.width(), view_.height())) return;
    view_.centerOn({(move.from.z + move.to.z) / 2, (move.from.x + move.to.x) / 2});
    fitted_ = false;
    viewChanged();
}

std::optional<std::size_t> PlotWidget::moveAt(QPointF pos) const {
    if (!path_ || !plotArea(view_).contains(pos)) return std::nullopt;
    std::optional<std::size_t> best;
    double bestDistance = kPickPixels;
    const double tolerance = 1 / view_.scale();
    for (std::size_t i = 0; i < path_->moves.size(); ++i) {
        const Move& m = path_->moves[i];
        double d = distanceToSegment(pos, view_.toScreen(m.from), view_.toScreen(m.to));
        if (m.is(kArc)) {
            const std::vector<Point> points = polyline(*path_, i, tolerance);
            d = bestDistance + 1;
            for (std::size_t k = 1; k < points.size(); ++k)
                d = std::min(d, distanceToSegment(pos, view_.toScreen(points[k - 1]),
                                                  view_.toScreen(points[k])));
        }
        // Strictly nearer only: of passes drawn on the same pixels the first one wins.
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void PlotWidget::viewChanged() {
    baseView_.reset();
    update();
}

void PlotWidget::paintEvent(QPaintEvent*) {
    view_.setSize(width(), height());
    const qreal dpr = devicePixelRatioF();
    const bool viewMoved = !baseView_ || !(*baseView_ == view_);
    if (viewMoved || layerStale_ || base_.devicePixelRatioF() != dpr) {
        static const Toolpath none;
        if (viewMoved) {
            segments_.build(path_ ? *path_ : none, view_);
            Viewport mirror = view_;
            mirror.setMirrored(true);
            mirrored_.build(showsMirroredHalf() ? *path_ : none, mirror);
        }
        if (base_.size() != size() * dpr || base_.devicePixelRatio() != dpr) {
            base_ = QPixmap(size() * dpr);
            base_.setDevicePixelRatio(dpr);
        }
        QPainter bp(&base_);
        paintBase(bp, view_, segments_, !path_ || path_->moves.empty(), axisNames(),
                  [this](QPainter& under) {
                      if (layer_) layer_->paintUnder(under, view_);
                      paintMirroredHalf(under, mirrored_);
                  });
        baseView_ = view_;
        layerStale_ = false;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, base_);
    p.setClipRect(plotArea(view_));  // the selection never covers the rulers
    if (layer_) layer_->paintOver(p, view_);
    if (!chosenContours_.empty()) paintContourMoves(p, view_, *path_, chosenContours_);
    if (selectedMove_) {
        const double tolerance = 0.5 / view_.scale();
        paintSelectedMove(p, view_, polyline(*path_, *selectedMove_, tolerance));
    }
    if (toolPosition_) paintToolPosition(p, view_, *toolPosition_);
    if (tool_) tool_->paint(p, view_);
}

void PlotWidget::resizeEvent(QResizeEvent*) {
    if (fitted_) {
        fitToPath();
    } else {
        view_.setSize(width(), height());
        viewChanged();
    }
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    const QPointF pos = event->position();
    view_.zoom(std::pow(1.25, steps), {pos.x(), pos.y()});
    fitted_ = false;
    viewChanged();
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton) return;
    pressAt_ = event->position();
    lastDrag_ = event->position();
    dragging_ = false;
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit pointerMoved(view_.toModel({pos.x(), pos.y()}));
    if (tool_ && !dragging_) tool_->hovered(pos);
    if (!pressAt_) return;
    if (!dragging_ && QLineF(*pressAt_, pos).length() < kDragPixels) return;
    if (!dragging_) setCursor(Qt::ClosedHandCursor);
    dragging_ = true;
    view_.pan(pos.x() - lastDrag_.x(), pos.y() - lastDrag_.y());
    lastDrag_ = pos;
    fitted_ = false;
    viewChanged();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressAt_) return;
    const bool click = !dragging_ && event->button() == Qt::LeftButton;
    pressAt_.reset();
    dragging_ = false;
    setCursor(Qt::CrossCursor);
    if (!click) return;
    if (tool_) {
        tool_->clicked(event->position());
        return;
    }
    if (const auto hit = moveAt(event->position())) {
        selectedMove_ = hit;
        toolPosition_.reset();
        update();
        emit lineClicked(int(path_->moves[*hit].line));
    }
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
    const QPointF middle(width() / 2.0, height() / 2.0);
    switch (event->key()) {
        case Qt::Key_F:
        case Qt::Key_Home:
            fitToPath();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            view_.zoom(1.25, {middle.x(), middle.y()});
            break;
        case Qt::Key_Minus:
            view_.zoom(0.8, {middle.x(), middle.y()});
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    fitted_ = false;
    viewChanged();
}

void PlotWidget::leaveEvent(QEvent*) {
    emit pointerLeft();
}

}  // namespace zivek::backplot
