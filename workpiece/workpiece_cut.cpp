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

Extent extentOf(const ConvexRegion& region) {
    Extent extent;
    extent.add(region.low);
    extent.add(region.high);
    return extent;
}

}  // namespace

WorkpieceCut::WorkpieceCut(const Workpiece& workpiece,
                           std::shared_ptr<const std::vector<Move>> movesKept, double tolerance)
    : moves_(std::move(movesKept)) {
    if (!moves_) return;
    const std::vector<Move>& moves = *moves_;
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
    insert_ = regionOf(workpiece.insert);

    std::vector<ConvexRegion> pieces = material_;
    every_.push_back(std::make_shared<const std::vector<ConvexRegion>>(pieces));
    bool changed = false;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Move& move = moves[i];
        if (withinRange(move)) {
            const ConvexRegion swept = sweep(insert_, move.from, move.to);
            auto warn = [&](CutCheck check) {
                warnings_.push_back({move.line, check, extentOf(swept)});
            };
            bool intoPart = false;
            for (const ConvexRegion& piece : part_) {
                if (!overlaps(swept, piece, tolerance_)) continue;
                intoPart = true;
                damage_.push_back({i, intersect(swept, piece)});
            }
            if (intoPart) gouges_.emplace_back(i, swept);
            if (move.kind == MoveKind::Rapid) {
                if (std::any_of(pieces.begin(), pieces.end(),
                                [&](const auto& p) { return overlaps(swept, p, tolerance_); }))
                    warn(CutCheck::RapidIntoMaterial);
                if (intoPart) warn(CutCheck::RapidIntoPart);
            } else {
                if (intoPart) warn(CutCheck::FeedIntoPart);
                changed |= cutBy(pieces, swept);
            }
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
    if (!cutShort_ && !pieces.empty() && !moves.empty()) {
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
    for (std::size_t i = checkpoint * kStride; i < moveCount; ++i) {
        const Move& move = (*moves_)[i];
        if (move.kind == MoveKind::Feed && withinRange(move))
            cutBy(pieces, sweep(insert_, move.from, move.to));
    }
    return pieces;
}

}  // namespace zivek::workpiece
