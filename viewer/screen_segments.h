#pragma once

// The level of detail of the plot. A 100,000-pass program draws its passes thousands of
// times onto the same pixels; each frame keeps one segment per pixel-rounded line and
// drops what lies outside the window, so the work per frame follows the screen, not the
// program.

#include <cstdint>
#include <vector>

#include "viewer/reader_names.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

struct ScreenSegment {
    double x1, y1, x2, y2;
};

class ScreenSegments {
  public:
    // Rebuilds rapid(), feed() and incomplete() for the given view; arcs become chords
    // within half a pixel. Buffers are kept between calls.
    void build(const Toolpath& path, const Viewport& view);
    // The same for moves alone: arcs drawn as their chords.
    void build(const std::vector<Move>& moves, const Viewport& view);

    const std::vector<ScreenSegment>& rapid() const { return rapid_; }
    const std::vector<ScreenSegment>& feed() const { return feed_; }
    const std::vector<ScreenSegment>& incomplete() const { return incomplete_; }
    // For each of feed(): 1 + the index in Toolpath::tools of the tool that cuts it; 0
    // before any tool, and for moves alone.
    const std::vector<std::uint32_t>& feedTools() const { return feedTools_; }

  private:
    void build(const std::vector<Move>& moves, const Toolpath* path, const Viewport& view);
    // False when a line on the same pixels is drawn already.
    bool keep(ScreenSegment s, std::vector<ScreenSegment>& out, std::uint64_t tag);

    // Pixel keys seen this frame: grows with what is drawn, not with the program.
    std::vector<std::uint64_t> table_;
    std::size_t used_ = 0;
    std::vector<ScreenSegment> rapid_;
    std::vector<ScreenSegment> feed_;
    std::vector<ScreenSegment> incomplete_;
    std::vector<std::uint32_t> feedTools_;
    std::vector<Point> arc_;
};

// Liang-Barsky: clips s to the rectangle [x0,x1]x[y0,y1]; false when nothing is left.
bool clipSegment(ScreenSegment& s, double x0, double y0, double x1, double y1);

}  // namespace zivek::backplot
