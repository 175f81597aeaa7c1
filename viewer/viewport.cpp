#include "viewer/viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zivek::backplot {
namespace {
// Bounds keep a runaway wheel from reaching scales where doubles lose the picture; the
// smallest still shows the whole double range across a window.
constexpr double kMinScale = 1e-307;
constexpr double kMaxScale = 1e9;
}  // namespace

void Viewport::setSize(double width, double height) {
    width_ = std::max(width, 1.0);
    height_ = std::max(height, 1.0);
}

double Viewport::inRange(double v) {
    return std::clamp(v, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}

void Viewport::fit(const Extent& extent, Margins m) {
    const double freeW = std::max(width_ - m.left - m.right, 1.0);
    const double freeH = std::max(height_ - m.top - m.bottom, 1.0);
    // Halves first: an extent across the whole double range still has a finite middle.
    const Point middle = extent.empty ? Point{}
                                      : Point{extent.min.z / 2 + extent.max.z / 2,
                                              extent.min.x / 2 + extent.max.x / 2};
    const double halfZ = extent.empty ? 0 : extent.max.z / 2 - extent.min.z / 2;
    const double halfX = extent.empty ? 0 : extent.max.x / 2 - extent.min.x / 2;
    const double halfAcross = upright_ ? halfX : halfZ;
    const double halfDown = upright_ ? halfZ : halfX;
    double s = kMaxScale;
    if (halfAcross > 0) s = std::min(s, freeW / 2 / halfAcross);
    if (halfDown > 0) s = std::min(s, freeH / 2 / halfDown);
    // A single point or a path of zero size: show a few units around it.
    if (halfZ <= 0 && halfX <= 0) s = std::min(freeW, freeH) / 10;
    scale_ = std::clamp(s, kMinScale, kMaxScale);
    // The middle of the extent goes to the middle of the free area.
    const double freeMidX = m.left + freeW / 2;
    const double freeMidY = m.top + freeH / 2;
    const Point d = shift(freeMidX - width_ / 2, freeMidY - height_ / 2);
    center_ = {inRange(middle.z - d.z), inRange(middle.x - d.x)};
}

void Viewport::zoom(double factor, ScreenPoint anchor) {
    const Point fixed = toModel(anchor);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    const Point d = shift(anchor.x - width_ / 2, anchor.y - height_ / 2);
    center_ = {inRange(fixed.z - d.z), inRange(fixed.x - d.x)};
}

void Viewport::pan(double dx, double dy) {
    const Point d = shift(dx, dy);
    center_ = {inRange(center_.z - d.z), inRange(center_.x - d.x)};
}

double gridStep(double scale, double minPixels) {
    // 1e308 is the largest step of the 1-2-5 series that a double holds.
    const double raw = std::min(minPixels / scale, 1e308);
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * decade >= raw) return m * decade;
    return std::min(10 * decade, 1e308);
}

}  // namespace zivek::backplot
