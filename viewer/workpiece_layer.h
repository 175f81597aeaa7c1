#pragma once

// The workpiece on the plot: the finished part and the material still there under the
// tool path, in the drawings' colours; what a move gouged out of the part cut away and
// filled red as damaged; over it the moves the checks found in red, the material left at
// the end outlined in red, and the insert where the tool stands.

#include <QPainter>
#include <memory>
#include <vector>

#include "viewer/reader_names.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {

class WorkpieceLayer {
  public:
    // Shows the end state; an empty cut shows nothing.
    void setCut(std::shared_ptr<const WorkpieceCut> cut, std::shared_ptr<const Toolpath> path);
    bool empty() const { return !cut_ || cut_->empty(); }
    // The workpiece once the first `moveCount` moves have run.
    void showAfter(std::size_t moveCount);
    std::size_t shownMoves() const { return moveCount_; }
    const std::vector<ConvexRegion>& materialShown() const { return shown_; }
    const std::vector<ConvexRegion>& partShown() const { return partShown_; }
    // The damage the moves shown did to the part.
    std::vector<ConvexRegion> damageShown() const;

    // Adds what a fit must hold: the material, the part, and the insert at every point of
    // `toolAt`, the box the tool moves in.
    void holdIn(Extent& extent, const Extent& toolAt) const;

    void paintUnder(QPainter& p, const Viewport& view) const;
    void paintOver(QPainter& p, const Viewport& view) const;

  private:
    std::shared_ptr<const WorkpieceCut> cut_;
    std::shared_ptr<const Toolpath> path_;
    std::vector<std::size_t> warnedMoves_;
    std::vector<ConvexRegion> shown_;
    std::vector<ConvexRegion> partShown_;
    std::vector<ConvexRegion> leftAtEnd_;  // when the checks found material left
    std::size_t moveCount_ = 0;
};

// The colours of the wizard's drawings.
struct DrawingColors {
    QColor part{0xBD, 0xBD, 0xBD};
    QColor material{0x3C, 0xC8, 0x4A};
    QColor materialEdge{0x1F, 0x3A, 0x1F};
    QColor insert{0xFF, 0xE0, 0x00};
    QColor insertEdge{0x5C, 0x4B, 0x00};
    QColor warning{0xD6, 0x1F, 0x1F};
    QColor damage{0xE5, 0x39, 0x35};
    QColor holder{0x1E, 0x5A, 0xB4};  // the drawings' blue holder
    QColor jaw{0x6B, 0x70, 0x78};
};
const DrawingColors& drawingColors();

}  // namespace zivek::backplot
