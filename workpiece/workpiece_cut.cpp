#include "zivek/workpiece/workpiece_cut.h"

#include <algorithm>
#include <cmath>

namespace zivek::workpiece {
namespace {

// Checkpoints of the material: showing the state after any line replays at most this
// many moves.
constexpr std::size_t kStride = 64;
// A program that leaves more pieces than this is no turning program; the cut stops.
constexpr std::size_t kMostPieces = 20000;
// Beyond this, products of coordinates leave the double range.
constexpr double kLargest = 1e100;

ConvexRegion regionOf(const Outline& outline) {
    std::vector<Point> points;
    for (const PlanePoint& p : outline) points.push_back({p.z, p.x});
    return convexHull(std::move(points));
}

bool withinRange(const Outline& outline) {
    return std::all_of(outline.begin(), outline.end(), [](const PlanePoint& p) {
        return std::abs(p.z) < kLargest && std::abs(p.x) < kLargest;
    });
}

bool withinRange(const Move& move) {
    return std::abs(move.from.z) < kLargest && std::abs(move.from.x) < kLargest &&
           std::abs(move.to.z) < kLargest && std::abs(move.to.x) < kLargest;
}

}  // namespace

WorkpieceCut::WorkpieceCut(const Workpiece& workpiece,
                           std::shared_ptr<const std::vector<Move>> movesKept, double tolerance)
    : moves_(std::move(movesKept)) {
    if (!moves_) return;
    const auto inRange = [](const Outline& o) { return withinRange(o); };
    if (!std::all_of(workpiece.material.begin(), workpiece.material.end(), inRange) ||
        !std::all_of(workpiece.part.begin(), workpiece.part.end(), inRange) ||
        !withinRange(workpiece.insert))
        return;
    // What the arithmetic itself leaves: a few units in the last place of the largest
    // coordinate. A cut counts from there; a sliver or a warning needs the tolerance.
    double largest = 1;
    for (const auto* outlines : {&workpiece.material, &workpiece.part})
        for (const Outline& o : *outlines)
            for (const PlanePoint& p : o)
                largest = std::max({largest, std::abs(p.z), std::abs(p.x)});
    touch_ = largest * 1e-12;
    tolerance_ = tolerance + touch_;
    // A layer of no size (a taper of length 0) leaves nothing to cut.
    for (const Outline& o : workpiece.material)
        if (ConvexRegion r = regionOf(o); thickness(r.corners) > tolerance_)
            material_.push_back(std::move(r));
    for (const Outline& o : workpiece.part) part_.push_back(regionOf(o));
    tools_.push_back({0, {regionOf(workpiece.insert), {}, {}}});
    run(true);
}

WorkpieceCut::WorkpieceCut(CutStart start, std::shared_ptr<const std::vector<Move>> movesKept,
                           double tolerance)
    : moves_(std::move(movesKept)) {
    if (!moves_ || start.tools.empty()) return;
    double largest = 1;
    for (const auto* regions : {&start.material, &start.part, &start.jaws})
        for (const ConvexRegion& r : *regions)
            for (const Point& p : r.corners) {
                if (!(std::abs(p.z) < kLargest && std::abs(p.x) < kLargest)) return;
                largest = std::max({largest, std::abs(p.z), std::abs(p.x)});
            }
    touch_ = largest * 1e-12;
    tolerance_ = tolerance + touch_;
    for (ConvexRegion& r : start.material)
        if (thickness(r.corners) > tolerance_) material_.push_back(std::move(r));
    part_ = std::move(start.part);
    jaws_ = std::move(start.jaws);
    partUntil_ = start.partUntil;
    warnRapids_ = start.warnRapidsIntoMaterial;
    partInMaterial_ = true;
    arcs_ = std::move(start.arcs);
    tools_ = std::move(start.tools);
    run(start.removeAll);
}

const CuttingTool& WorkpieceCut::toolAt(std::size_t move) const {
    static const CuttingTool none;
    if (tools_.empty()) return none;
    const auto after =
        std::upper_bound(tools_.begin(), tools_.end(), move,
                         [](std::size_t m, const ToolInForce& t) { return m < t.firstMove; });
    return after == tools_.begin() ? tools_.front().tool : std::prev(after)->tool;
}

void WorkpieceCut::run(bool removeAll) {
    const std::vector<Move>& moves = *moves_;
    std::vector<ConvexRegion> pieces = material_;
    every_.push_back(std::make_shared<const std::vector<ConvexRegion>>(pieces));
    bool changed = false;
    std::size_t nextTool = 1;
    const CuttingTool* tool = &tools_.front().tool;
    const auto sweeps = [&](const ConvexRegion& region) {
        return std::any_of(pieces.begin(), pieces.end(),
                           [&](const auto& p) { return overlaps(region, p, tolerance_); });
    };
    std::vector<ConvexRegion> swept;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        while (nextTool < tools_.size() && tools_[nextTool].firstMove <= i)
            tool = &tools_[nextTool++].tool;
        const Move& move = moves[i];
        if (withinRange(move)) {
            sweepsOf(i, swept);
            Extent where;
            for (const ConvexRegion& r : swept) {
                where.add(r.low);
                where.add(r.high);
            }
            auto warn = [&](CutCheck check) { warnings_.push_back({move.line, check, where}); };
            const auto anySweep = [&](auto&& test) {
                return std::any_of(swept.begin(), swept.end(), test);
            };
            bool intoPart = false;
            if (i < partUntil_)
                for (const ConvexRegion& piece : part_)
                    for (const ConvexRegion& r : swept) {
                        if (!overlaps(r, piece, tolerance_)) continue;
                        intoPart = true;
                        damage_.push_back({i, intersect(r, piece)});
                    }
            if (intoPart)
                for (const ConvexRegion& r : swept) gouges_.emplace_back(i, r);
            const ConvexRegion held = tool->holder.corners.size() >= 3
                                          ? sweep(tool->holder, move.from, move.to)
                                          : ConvexRegion{};
            if (std::any_of(jaws_.begin(), jaws_.end(), [&](const ConvexRegion& jaw) {
                    return anySweep([&](const ConvexRegion& r) {
                               return overlaps(r, jaw, tolerance_);
                           }) ||
                           (!held.corners.empty() && overlaps(held, jaw, tolerance_));
                }))
                warn(CutCheck::IntoJaws);
            if (move.kind == MoveKind::Rapid) {
                if (warnRapids_ && anySweep(sweeps)) warn(CutCheck::RapidIntoMaterial);
                if (intoPart) warn(CutCheck::RapidIntoPart);
            } else {
                if (intoPart) warn(CutCheck::FeedIntoPart);
                bool cut = false;
                for (const ConvexRegion& r : swept) cut |= cutBy(pieces, r);
                changed |= cut;
                if (cut && !tool->backLeads.empty()) {
                    const double heading =
                        std::atan2(move.to.x - move.from.x, move.to.z - move.from.z);
                    if (std::any_of(tool->backLeads.begin(), tool->backLeads.end(),
                                    [&](const AngleRange& r) { return r.holds(heading); }))
                        warn(CutCheck::BackEdgeRubs);
                }
            }
            // After the insert's own cut: a holder that trails the insert finds air.
            if (!held.corners.empty() && sweeps(held)) warn(CutCheck::HolderIntoMaterial);
        }
        simulated_ = i + 1;
        if (pieces.size() > kMostPieces) {
            cutShort_ = true;
            break;
        }
        if (simulated_ % kStride == 0) {
            every_.push_back(changed ? std::make_shared<const std::vector<ConvexRegion>>(pieces)
                                     : every_.back());
            changed = false;
        }
    }
    if (removeAll && !cutShort_ && !pieces.empty() && !moves.empty()) {
        Extent left;
        for (const ConvexRegion& piece : pieces) {
            left.add(piece.low);
            left.add(piece.high);
        }
        warnings_.push_back({moves.back().line, CutCheck::UncutMaterial, left});
    }
    std::stable_sort(warnings_.begin(), warnings_.end(),
                     [](const CutWarning& a, const CutWarning& b) { return a.line < b.line; });
}

bool WorkpieceCut::cutBy(std::vector<ConvexRegion>& pieces, const ConvexRegion& swept) const {
    // Most feeds change one piece of a few: the others stay where they are.
    std::vector<ConvexRegion> added;
    bool changed = false;
    for (std::size_t i = 0; i < pieces.size();) {
        if (subtract(pieces[i], swept, touch_, tolerance_, added)) {
            changed = true;
            pieces[i] = std::move(pieces.back());
            pieces.pop_back();
        } else {
            ++i;
        }
    }
    for (ConvexRegion& piece : added) pieces.push_back(std::move(piece));
    return changed;
}

std::vector<ConvexRegion> WorkpieceCut::partAfter(std::size_t moveCount) const {
    std::vector<ConvexRegion> pieces = part_;
    for (const auto& [move, swept] : gouges_) {
        if (move >= moveCount) break;
        cutBy(pieces, swept);
    }
    return pieces;
}

std::vector<ConvexRegion> WorkpieceCut::materialAfter(std::size_t moveCount) const {
    if (every_.empty()) return {};
    moveCount = std::min(moveCount, simulated_);
    const std::size_t checkpoint = std::min(moveCount / kStride, every_.size() - 1);
    std::vector<ConvexRegion> pieces = *every_[checkpoint];
    std::vector<ConvexRegion> swept;
    for (std::size_t i = checkpoint * kStride; i < moveCount; ++i) {
        const Move& move = (*moves_)[i];
        if (move.kind != MoveKind::Feed || !withinRange(move)) continue;
        sweepsOf(i, swept);
        for (const ConvexRegion& r : swept) cutBy(pieces, r);
    }
    return pieces;
}

void WorkpieceCut::sweepsOf(std::size_t i, std::vector<ConvexRegion>& out) const {
    out.clear();
    const Move& move = (*moves_)[i];
    const ConvexRegion& insert = insertAt(i);
    if (move.is(gcode::kArc) && !arcs_.empty()) {
        const auto arc = std::lower_bound(
            arcs_.begin(), arcs_.end(), i,
            [](const auto& entry, std::size_t index) { return entry.first < index; });
        if (arc != arcs_.end() && arc->first == i && arc->second.size() >= 2) {
            for (std::size_t k = 1; k < arc->second.size(); ++k)
                out.push_back(sweep(insert, arc->second[k - 1], arc->second[k]));
            return;
        }
    }
    out.push_back(sweep(insert, move.from, move.to));
}

}  // namespace zivek::workpiece
