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

    ScreenPoint toScreen(Point p) const {
        return {width_ / 2 + offset(p.z, center_.z), height_ / 2 - offset(p.x, center_.x)};
    }
    Point toModel(ScreenPoint s) const {
        return {inRange(center_.z + (s.x - width_ / 2) / scale_),
                inRange(center_.x - (s.y - height_ / 2) / scale_)};
    }

    // Shows the whole extent, centred in what the margins leave free.
    void fit(const Extent& extent, Margins margins);
    // Zooms by `factor`, keeping the model point under `anchor` where it is.
    void zoom(double factor, ScreenPoint anchor);
    void pan(double dx, double dy);
    void centerOn(Point p) { center_ = p; }

    friend bool operator==(const Viewport&, const Viewport&) = default;

  private:
    // Pixels from the centre. Near the ends of the double range the difference of two
    // coordinates overflows; each is scaled first there.
    double offset(double v, double centre) const {
        const double d = v - centre;
        return d - d == 0 ? d * scale_ : v * scale_ - centre * scale_;
    }
    static double inRange(double v);

    double width_ = 1;
    double height_ = 1;
    double scale_ = 1;
    Point center_;
};

// Spacing of grid lines in program units: 1, 2 or 5 times a power of ten, so that lines
// lie at least `minPixels` apart at `scale`.
double gridStep(double scale, double minPixels);

}  // namespace zivek::backplot
