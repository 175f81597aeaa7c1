#include "viewer/workpiece_layer.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

namespace zivek::backplot {
namespace {

QPolygonF onScreen(const Viewport& view, const std::vector<Point>& corners, Point offset = {}) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(corners.size()));
    for (const Point& c : corners) {
        const ScreenPoint s = view.toScreen({c.z + offset.z, c.x + offset.x});
        polygon << QPointF(s.x, s.y);
    }
    return polygon;
}

}  // namespace

const DrawingColors& drawingColors() {
    static const DrawingColors colors;
    return colors;
}

void WorkpieceLayer::setCut(std::shared_ptr<const WorkpieceCut> cut,
                            std::shared_ptr<const Toolpath> path) {
    cut_ = std::move(cut);
    path_ = std::move(path);
    warnedMoves_.clear();
    leftAtEnd_.clear();
    shown_.clear();
    partShown_.clear();
    moveCount_ = 0;
    if (empty() || !path_) return;
    const auto& moves = path_->moves;
    for (const CutWarning& w : cut_->warnings()) {
        if (w.check == CutCheck::UncutMaterial) {
            leftAtEnd_ = cut_->materialAfter(moves.size());
            continue;
        }
        if (const auto first = path_->firstMoveOf(w.line)) warnedMoves_.push_back(*first);
    }
    showAfter(moves.size());
}

void WorkpieceLayer::showAfter(std::size_t moveCount) {
    if (empty()) return;
    moveCount_ = std::min(moveCount, path_->moves.size());
    shown_ = cut_->materialAfter(moveCount_);
    partShown_ = cut_->partAfter(moveCount_);
}

std::vector<ConvexRegion> WorkpieceLayer::damageShown() const {
    std::vector<ConvexRegion> damage;
    if (empty()) return damage;
    for (const Damage& d : cut_->damage())
        if (d.move < moveCount_) damage.push_back(d.region);
    return damage;
}

void WorkpieceLayer::holdIn(Extent& extent, const Extent& toolAt) const {
    if (empty()) return;
    for (const auto* regions : {&cut_->part(), &cut_->material()})
        for (const ConvexRegion& r : *regions) {
            extent.add(r.low);
            extent.add(r.high);
        }
    const ConvexRegion& insert = cut_->insertAt(0);
    if (toolAt.empty || insert.corners.empty()) return;
    extent.add({toolAt.min.z + insert.low.z, toolAt.min.x + insert.low.x});
    extent.add({toolAt.max.z + insert.high.z, toolAt.max.x + insert.high.x});
}

void WorkpieceLayer::paintUnder(QPainter& p, const Viewport& view) const {
    if (empty()) return;
    const DrawingColors& c = drawingColors();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // An outline in the fill's colour closes the seams between the part's pieces.
    QPen seam(c.part, 1);
    seam.setCosmetic(true);
    p.setPen(seam);
    p.setBrush(c.part);
    if (!cut_->partInMaterial())
        for (const ConvexRegion& piece : partShown_) p.drawPolygon(onScreen(view, piece.corners));
    // What would be scrapped: gone from the grey, filled red and hatched, so that it
    // reads as damage in print and to the colour-blind as well.
    QPen damageEdge(c.damage.darker(140), 1.2);
    damageEdge.setCosmetic(true);
    const std::vector<ConvexRegion> damage = damageShown();
    for (const Qt::BrushStyle style : {Qt::SolidPattern, Qt::BDiagPattern}) {
        p.setPen(style == Qt::SolidPattern ? Qt::NoPen : damageEdge);
        QBrush brush(style == Qt::SolidPattern ? c.damage.lighter(130) : c.damage.darker(160),
                     style);
        p.setBrush(brush);
        for (const ConvexRegion& piece : damage) p.drawPolygon(onScreen(view, piece.corners));
    }
    // As the part: an outline in the fill's colour, or the pieces' seams show white.
    QPen materialSeam(c.material, 1);
    materialSeam.setCosmetic(true);
    p.setPen(materialSeam);
    p.setBrush(c.material);
    for (const ConvexRegion& piece : shown_) p.drawPolygon(onScreen(view, piece.corners));
    if (cut_->partInMaterial()) {
        // A bar holds the finished part: what is left of the bar inside it is the part's
        // grey, and only the rest stays green to remove.
        QPainterPath left;
        left.setFillRule(Qt::WindingFill);
        for (const ConvexRegion& piece : shown_) left.addPolygon(onScreen(view, piece.corners));
        p.save();
        p.setClipPath(left);
        p.setPen(seam);
        p.setBrush(c.part);
        for (const ConvexRegion& piece : partShown_) p.drawPolygon(onScreen(view, piece.corners));
        p.restore();
    }
    // The material as it was, so that what the program removed still shows its bounds.
    QPen edge(c.materialEdge, 1, Qt::DashLine);
    edge.setCosmetic(true);
    p.setPen(edge);
    p.setBrush(Qt::NoBrush);
    for (const ConvexRegion& piece : cut_->material()) p.drawPolygon(onScreen(view, piece.corners));
    // The chuck's jaws, dark and cross-hatched as steel that must not be touched.
    QPen jawEdge(c.jaw.darker(150), 1);
    jawEdge.setCosmetic(true);
    p.setPen(jawEdge);
    for (const Qt::BrushStyle style : {Qt::SolidPattern, Qt::DiagCrossPattern}) {
        p.setBrush(QBrush(style == Qt::SolidPattern ? c.jaw : c.jaw.darker(170), style));
        for (const ConvexRegion& jaw : cut_->jaws()) p.drawPolygon(onScreen(view, jaw.corners));
    }
    p.restore();
}

void WorkpieceLayer::paintOver(QPainter& p, const Viewport& view) const {
    if (empty()) return;
    const DrawingColors& c = drawingColors();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen red(c.warning, 3);
    red.setCosmetic(true);
    red.setCapStyle(Qt::RoundCap);
    p.setPen(red);
    for (const std::size_t i : warnedMoves_) {
        const Move& m = path_->moves[i];
        const ScreenPoint a = view.toScreen(m.from);
        const ScreenPoint b = view.toScreen(m.to);
        p.drawLine(QLineF(a.x, a.y, b.x, b.y));
    }
    if (moveCount_ == path_->moves.size()) {
        QColor fill = c.warning;
        fill.setAlpha(90);
        p.setBrush(fill);
        for (const ConvexRegion& piece : leftAtEnd_) p.drawPolygon(onScreen(view, piece.corners));
    }
    // The insert where the tool stands after the lines shown.
    const Point at = moveCount_ == 0 ? Point{} : path_->moves[moveCount_ - 1].to;
    QPen outline(c.insertEdge, 1.2);
    outline.setCosmetic(true);
    p.setPen(outline);
    p.setBrush(c.insert);
    const CuttingTool& tool = cut_->toolAt(moveCount_ == 0 ? 0 : moveCount_ - 1);
    if (tool.holder.corners.size() >= 3) {
        QColor holder = c.holder;
        holder.setAlpha(150);
        p.setBrush(holder);
        p.drawPolygon(onScreen(view, tool.holder.corners, at));
        p.setBrush(c.insert);
    }
    p.drawPolygon(onScreen(view, tool.insert.corners, at));
    p.restore();
}

}  // namespace zivek::backplot
