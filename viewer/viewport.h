#pragma once

// Where the Z-X plane lies on the screen: Z to the right, X up, one scale for both so
// that a taper shows its true angle and an arc its true radius, whatever the program
// writes X as; or upright, as the wizard's drawings stand, Z up and X to the left. Plain
// arithmetic, kept apart from the widget.

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"

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

    void setUpright(bool upright) { upright_ = upright; }
    bool upright() const { return upright_; }

    // The program's X of a true radius: 2 for a diameter program, else 1. It changes
    // only what the X values are called, never where anything is drawn.
    void setXLabelScale(double f) { xLabelScale_ = f; }
    double xLabelScale() const { return xLabelScale_; }

    // The half under the axis: each point drawn at its mirror image.
    void setMirrored(bool mirrored) { xSign_ = mirrored ? -1 : 1; }

    ScreenPoint toScreen(Point p) const {
        p.x *= xSign_;
        if (upright_)
            return {width_ / 2 - offset(p.x, center_.x), height_ / 2 - offset(p.z, center_.z)};
        return {width_ / 2 + offset(p.z, center_.z), height_ / 2 - offset(p.x, center_.x)};
    }
    Point toModel(ScreenPoint s) const {
        const Point d = shift(s.x - width_ / 2, s.y - height_ / 2);
        return {inRange(center_.z + d.z), inRange(center_.x + d.x) * xSign_};
    }
    // The coordinate that runs along the screen's horizontal (or vertical) axis, as the
    // program writes it (X a diameter in a diameter program), and the point on that
    // axis's zero line at a value of it.
    bool alongX(bool horizontal) const { return horizontal == upright_; }
    double along(bool horizontal, Point p) const {
        return alongX(horizontal) ? p.x * xLabelScale_ : p.z;
    }
    Point onAxis(bool horizontal, double v) const {
        return alongX(horizontal) ? Point{0, v / xLabelScale_} : Point{v, 0};
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
    // The model distance of a screen distance.
    Point shift(double dx, double dy) const {
        return upright_ ? Point{-dy / scale_, -dx / scale_} : Point{dx / scale_, -dy / scale_};
    }

    double width_ = 1;
    double height_ = 1;
    double scale_ = 1;
    double xLabelScale_ = 1;
    double xSign_ = 1;
    Point center_;
    bool upright_ = false;
};

// Spacing of grid lines in program units: 1, 2 or 5 times a power of ten, so that lines
// lie at least `minPixels` apart at `scale`.
double gridStep(double scale, double minPixels);

}  // namespace zivek::backplot
