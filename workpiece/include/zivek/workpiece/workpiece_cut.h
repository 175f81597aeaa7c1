#pragma once

// The workpiece cut by the program, move by move: feed moves remove what the insert
// sweeps; rapids must not touch material that is still there, no move may enter the
// finished part, and nothing of the material may be left at the end. Standard library
// only, so that the geometric tests run it on every program the wizard writes.
//
//   const WorkpieceCut cut(workpiece, std::shared_ptr<const std::vector<Move>>(path,
//   &path->moves)); for (const CutWarning& w : cut.warnings()) { /* w.line, w.check, w.where */ }
//   std::vector<ConvexRegion> left = cut.materialAfter(moveCount);

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "output/workpiece.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/convex_region.h"
#include "zivek/workpiece/insert_outline.h"

namespace zivek::workpiece {

enum class CutCheck : std::uint8_t {
    RapidIntoMaterial,   // a rapid's insert sweeps material that is still there
    RapidIntoPart,       // a rapid's insert sweeps the finished part
    FeedIntoPart,        // a feed's insert enters the finished part
    UncutMaterial,       // material to remove is still there at the end
    BackEdgeRubs,        // a feed cuts with the insert's back: steeper than its clearance
    HolderIntoMaterial,  // the holder sweeps material that is still there
    IntoJaws,            // the insert or the holder sweeps the chuck's jaws
};

struct CutWarning {
    std::uint32_t line = 0;
    CutCheck check = CutCheck::UncutMaterial;
    Extent where;  // the move's sweep, or the material left
};

// Where a move entered the finished part: what would be scrapped.
struct Damage {
    std::size_t move = 0;  // index into the moves
    ConvexRegion region;   // the part the move's insert swept through
};

// The rounding of two written positions, each to 0.0005: what a program of the wizard
// may leave or overreach by.
inline constexpr double kWrittenRounding = 0.001;

// The tool that cuts from a move on.
struct ToolInForce {
    std::size_t firstMove = 0;
    CuttingTool tool;
};

// What a cut starts from when the program is not one of the wizard's: a bar and the
// tools of the shop's table, changed where the program changes them.
struct CutStart {
    std::vector<ConvexRegion> material;
    std::vector<ConvexRegion> part;  // the finished part, when known
    std::vector<ConvexRegion> jaws;
    std::vector<ToolInForce> tools;    // by first move, ascending; the first one from move 0
    bool removeAll = false;            // whether material left at the end is a fault
    std::size_t partUntil = SIZE_MAX;  // moves from here on make features the part lacks
    // A guessed bar may be larger than the real one: rapids into it are no fault.
    bool warnRapidsIntoMaterial = true;
    // The chords an arc move sweeps, by move index ascending; an arc not here sweeps its
    // one chord from start to end.
    std::vector<std::pair<std::size_t, std::vector<Point>>> arcs{};
};

class WorkpieceCut {
  public:
    WorkpieceCut() = default;
    // The cut keeps the moves, to replay them from its checkpoints.
    WorkpieceCut(const Workpiece& workpiece, std::shared_ptr<const std::vector<Move>> moves,
                 double tolerance = kWrittenRounding);
    WorkpieceCut(CutStart start, std::shared_ptr<const std::vector<Move>> moves,
                 double tolerance = kWrittenRounding);

    bool empty() const { return part_.empty() && material_.empty(); }
    const std::vector<CutWarning>& warnings() const { return warnings_; }
    const std::vector<ConvexRegion>& part() const { return part_; }
    // Every entry of a move into the part, in the order of the moves.
    const std::vector<Damage>& damage() const { return damage_; }
    // The part less what the first `moveCount` moves gouged out of it.
    std::vector<ConvexRegion> partAfter(std::size_t moveCount) const;
    // The insert that makes move `move` (the first one before any move).
    const ConvexRegion& insertAt(std::size_t move) const { return toolAt(move).insert; }
    const CuttingTool& toolAt(std::size_t move) const;
    const std::vector<ConvexRegion>& jaws() const { return jaws_; }
    // A bar holds its finished part; the wizard's material lies beside its part.
    bool partInMaterial() const { return partInMaterial_; }
    // The material before the first move.
    const std::vector<ConvexRegion>& material() const { return material_; }
    // The material left once the first `moveCount` moves have run.
    std::vector<ConvexRegion> materialAfter(std::size_t moveCount) const;
    // Whether the simulation gave up on a program that cut the material into too many
    // pieces; the checks then stop at the move where it did.
    bool cutShort() const { return cutShort_; }

  private:
    using Pieces = std::shared_ptr<const std::vector<ConvexRegion>>;
    bool cutBy(std::vector<ConvexRegion>& pieces, const ConvexRegion& swept) const;
    void run(bool removeAll);
    // What move `i` sweeps with its insert: one region, or one for each chord of an arc.
    void sweepsOf(std::size_t i, std::vector<ConvexRegion>& out) const;

    std::vector<ConvexRegion> part_;
    std::vector<ConvexRegion> material_;
    std::vector<ConvexRegion> jaws_;
    std::size_t partUntil_ = SIZE_MAX;
    bool warnRapids_ = true;
    bool partInMaterial_ = false;
    std::vector<std::pair<std::size_t, std::vector<Point>>> arcs_;
    std::vector<ToolInForce> tools_;
    double tolerance_ = kWrittenRounding;
    double touch_ = 0;
    std::shared_ptr<const std::vector<Move>> moves_;
    std::size_t simulated_ = 0;  // moves taken into account
    std::vector<Pieces> every_;  // the material after every kStride-th move
    std::vector<CutWarning> warnings_;
    std::vector<Damage> damage_;
    std::vector<std::pair<std::size_t, ConvexRegion>> gouges_;  // the sweeps that damaged
    bool cutShort_ = false;
};

}  // namespace zivek::workpiece
