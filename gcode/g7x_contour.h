#pragma once

#include "gcode/internal.h"

// The contour of LinuxCNC's G7x cycles as complex numbers, Z the real part and X the
// imaginary one, so that turning, mirroring and offsetting are one multiplication each.
// Internal to the planner (g7x_planner.cpp).

#include <complex>
#include <stdexcept>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode::g7x {

using C = std::complex<double>;
inline const C kI(0, 1);
constexpr double kTol = 1e-6;

// LinuxCNC refuses the contour; the reason is a word for the caller, not for the user.
struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline C toC(Point p) {
    return {p.z, p.x};
}
inline Point toPoint(C c) {
    return {c.real(), c.imag()};
}

struct Piece {
    C s, e, c;
    bool arc = false;
    bool ccw = false;
    double corner = 0;  // a round (arc) or chamfer (line) still to be fitted here

    double radius() const {
        return arc ? std::min(std::abs(s - e), std::abs(s - c)) : std::abs(s - e);
    }
    // Runs towards -Z without turning back.
    bool monotonic() const {
        if (corner != 0) return true;
        if (!arc) return (e - s).real() <= 1e-3;
        const double in = (s - c).imag(), out = (e - c).imag(), dz = (e - s).real();
        return ccw ? in >= -1e-3 && out >= -1e-3 && dz <= -1e-3
                   : in <= 1e-3 && out <= 1e-3 && dz <= -1e-3;
    }
    void offset(double d) {
        if (!arc) {
            const C n = kI * d * (s - e) / std::abs(s - e);
            s += n;
            e += n;
            return;
        }
        const double f = (std::abs(s - c) + (ccw ? 1 : -1) * d) / std::abs(s - c);
        s = f * (s - c) + c;
        e = f * (e - c) + c;
    }
    void map(C (*f)(C), bool mirror) {
        s = f(s);
        e = f(e);
        c = f(c);
        if (mirror) ccw = !ccw;
    }
    bool onArc(C p) const {
        const double a = std::imag(std::conj(s - c) * (p - c));
        const double b = std::imag(std::conj(e - c) * (p - c));
        return ccw ? a >= -1e-6 && b <= 1e-6 : a <= 1e-6 && b >= -1e-6;
    }
    // Where the piece crosses the level X = x, in Z.
    std::vector<double> crossings(double x) const {
        std::vector<double> z;
        if (!arc) {
            if (std::min(s.imag(), e.imag()) > x + 1e-6 || std::max(s.imag(), e.imag()) < x - 1e-6)
                return z;
            if (std::abs((s - e).imag()) < 1e-6) return {s.real(), e.real()};
            z.push_back((x - s.imag()) / (e.imag() - s.imag()) * (e.real() - s.real()) + s.real());
            return z;
        }
        const double r = std::abs(s - c);
        double q = -(x - r - c.imag()) * (x + r - c.imag());
        if (q < -1e-6) return z;
        q = std::sqrt(std::max(q, 0.0));
        for (const double zz : {c.real() + q, c.real() - q})
            if (onArc({zz, x})) z.push_back(zz);
        return z;
    }
};

// The corner where piece `a` ends and piece `b` begins, after both moved apart.
void meet(Piece& a, Piece& b);

class Profile {
  public:
    std::vector<Piece> pieces;
    int turned = 0;  // 4 turned a quarter, 2 mirrored in X, 1 mirrored in Z

    void quarter();
    // Mirrors the contour so that it ends at a smaller Z and a larger X than it begins.
    void normalize();
    // Moves the contour after its lead `distance` away from itself, towards the side its
    // lead comes from, rounding outside corners and meeting inside ones.
    void offset(double distance);
};

// Fits the rounds and chamfers written on the contour's corners: each meets the pieces
// either side of its corner, at the distance its size gives from both.
void fitCorners(std::vector<Piece>& pieces);

}  // namespace zivek::gcode::g7x
