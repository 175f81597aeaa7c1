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
    double s = kMaxScale;
    if (halfZ > 0) s = std::min(s, freeW / 2 / halfZ);
    if (halfX > 0) s = std::min(s, freeH / 2 / halfX);
    // A single point or a path of zero size: show a few units around it.
    if (halfZ <= 0 && halfX <= 0) s = std::min(freeW, freeH) / 10;
    scale_ = std::clamp(s, kMinScale, kMaxScale);
    // The middle of the extent goes to the middle of the free area.
    const double freeMidX = m.left + freeW / 2;
    const double freeMidY = m.top + freeH / 2;
    center_ = {inRange(middle.z - (freeMidX - width_ / 2) / scale_),
               inRange(middle.x + (freeMidY - height_ / 2) / scale_)};
}

void Viewport::zoom(double factor, ScreenPoint anchor) {
    const Point fixed = toModel(anchor);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    center_ = {inRange(fixed.z - (anchor.x - width_ / 2) / scale_),
               inRange(fixed.x + (anchor.y - height_ / 2) / scale_)};
}

void Viewport::pan(double dx, double dy) {
    center_.z = inRange(center_.z - dx / scale_);
    center_.x = inRange(center_.x + dy / scale_);
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
