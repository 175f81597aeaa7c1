#include "viewer/viewport.h"

#include <algorithm>
#include <cmath>

namespace zivek::backplot {
namespace {
// Bounds keep a runaway wheel from reaching scales where doubles lose the picture.
constexpr double kMinScale = 1e-9;
constexpr double kMaxScale = 1e9;
}  // namespace

void Viewport::setSize(double width, double height) {
    width_ = std::max(width, 1.0);
    height_ = std::max(height, 1.0);
}

void Viewport::fit(const Extent& extent, Margins m) {
    const double freeW = std::max(width_ - m.left - m.right, 1.0);
    const double freeH = std::max(height_ - m.top - m.bottom, 1.0);
    const Point middle = extent.empty ? Point{}
                                      : Point{(extent.min.z + extent.max.z) / 2,
                                              (extent.min.x + extent.max.x) / 2 * xFactor_};
    const double spanZ = extent.empty ? 0 : extent.max.z - extent.min.z;
    const double spanX = extent.empty ? 0 : (extent.max.x - extent.min.x) * xFactor_;
    double s = kMaxScale;
    if (spanZ > 0) s = std::min(s, freeW / spanZ);
    if (spanX > 0) s = std::min(s, freeH / spanX);
    // A single point or a path of zero size: show a few units around it.
    if (spanZ <= 0 && spanX <= 0) s = std::min(freeW, freeH) / 10;
    scale_ = std::clamp(s, kMinScale, kMaxScale);
    // The middle of the extent goes to the middle of the free area.
    const double freeMidX = m.left + freeW / 2;
    const double freeMidY = m.top + freeH / 2;
    center_ = {middle.z - (freeMidX - width_ / 2) / scale_,
               middle.x + (freeMidY - height_ / 2) / scale_};
}

void Viewport::zoom(double factor, ScreenPoint anchor) {
    const Point fixed = toModel(anchor);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    center_ = {fixed.z - (anchor.x - width_ / 2) / scale_,
               fixed.x * xFactor_ + (anchor.y - height_ / 2) / scale_};
}

void Viewport::pan(double dx, double dy) {
    center_.z -= dx / scale_;
    center_.x += dy / scale_;
}

double gridStep(double scale, double minPixels) {
    const double raw = minPixels / scale;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= raw) return m * decade;
    return 10 * decade;
}

}  // namespace zivek::backplot
