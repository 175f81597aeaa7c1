#pragma once

// Where the Z-X plane lies on the screen: Z to the right, X up, one scale for both so
// that a taper shows its true angle. Plain arithmetic, kept apart from the widget.

#include "viewer/toolpath.h"

namespace zivek::backplot {

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

// Pixels kept free along each edge when fitting.
struct Margins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class Viewport {
  public:
    void setSize(double width, double height);
    double width() const { return width_; }
    double height() const { return height_; }
    double scale() const { return scale_; }  // pixels per program unit

    // X is drawn xFactor times its true size: 2 shows a diameter program as written,
    // 1 a true half-section. The centre is kept in drawn units.
    void setXFactor(double f) { xFactor_ = f; }
    double xFactor() const { return xFactor_; }

    ScreenPoint toScreen(Point p) const {
        return {width_ / 2 + (p.z - center_.z) * scale_,
                height_ / 2 - (p.x * xFactor_ - center_.x) * scale_};
    }
    Point toModel(ScreenPoint s) const {
        return {center_.z + (s.x - width_ / 2) / scale_,
                (center_.x - (s.y - height_ / 2) / scale_) / xFactor_};
    }

    // Shows the whole extent, centred in what the margins leave free.
    void fit(const Extent& extent, Margins margins);
    // Zooms by `factor`, keeping the model point under `anchor` where it is.
    void zoom(double factor, ScreenPoint anchor);
    void pan(double dx, double dy);
    void centerOn(Point p) { center_ = {p.z, p.x * xFactor_}; }

    friend bool operator==(const Viewport&, const Viewport&) = default;

  private:
    double width_ = 1;
    double height_ = 1;
    double scale_ = 1;
    double xFactor_ = 1;
    Point center_;
};

// Spacing of grid lines in program units: 1, 2 or 5 times a power of ten, so that lines
// lie at least `minPixels` apart at `scale`.
double gridStep(double scale, double minPixels);

}  // namespace zivek::backplot
