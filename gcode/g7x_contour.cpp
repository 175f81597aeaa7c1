#include "gcode/g7x_contour.h"

#include <algorithm>
#include <cmath>

namespace zivek::gcode::g7x {
namespace {

C mirrorX(C p) {
    return std::conj(p);
}
C mirrorZ(C p) {
    return -std::conj(p);
}
C quarterTurn(C p) {
    return -p * kI;
}

}  // namespace

void meet(Piece& a, Piece& b) {
    if (!a.arc && !b.arc) {
        const C rot = std::conj(b.s - b.e) / std::abs(b.s - b.e);
        const C ps = (a.s - b.e) * rot, pe = (a.e - b.e) * rot;
        if ((ps - pe).imag() == 0) throw Refused("parallel");
        const double f = ps.imag() / (ps - pe).imag();
        b.s = a.e = (ps + f * (pe - ps)) / rot + b.e;
        return;
    }
    if (a.arc && b.arc) {
        const double ra = std::abs(b.s - b.c), rb = std::abs(a.s - a.c), d = std::abs(b.c - a.c);
        const double cosB = (d * d + ra * ra - rb * rb) / 2.0 / ra / d;
        const C rot(cosB, std::sqrt(1 - std::min(cosB * cosB, 1.0)));
        b.s = a.e = rot * (a.c - b.c) / d * ra + b.c;
        return;
    }
    // A line and an arc: where the arc's circle crosses the line, nearer the old corner.
    if (std::abs(b.s - a.e) < 1e-6) return;
    const Piece& line = a.arc ? b : a;
    const Piece& circle = a.arc ? a : b;
    const C origin = line.e;
    const C rot = std::conj(line.s - line.e) / std::abs(line.s - line.e);
    const C pe = (circle.e - origin) * rot, pc = (circle.c - origin) * rot;
    const double h = std::norm(pc - pe) - pc.imag() * pc.imag();
    const double root = h < 0 ? 0 : std::sqrt(h);
    const C s1 = (pc.real() + root) / rot + origin, s2 = (pc.real() - root) / rot + origin;
    b.s = a.e = std::abs(b.s - s1) < std::abs(b.s - s2) ? s1 : s2;
}

void Profile::quarter() {
    for (Piece& p : pieces) p.map(quarterTurn, false);
    turned ^= 4;
}

void Profile::normalize() {
    const C d = pieces.front().e - pieces.back().e;
    if (d.imag() > 0) {
        for (Piece& p : pieces) p.map(mirrorX, true);
        turned ^= 2;
    }
    if (d.real() < 0) {
        for (Piece& p : pieces) p.map(mirrorZ, true);
        turned ^= 1;
    }
}

void Profile::offset(double distance) {
    const C along = pieces.front().e - pieces.front().s;
    const C across = pieces.back().s - pieces.front().s;
    if ((along / across).imag() < 0) distance = -distance;
    const Piece lead = pieces.front();
    pieces.erase(pieces.begin());
    double done = 0;
    // Small steps keep each piece's corners in order; a distance thousands of times the
    // smallest piece is a typing error.
    for (int n = 0; done != distance && !pieces.empty(); ++n) {
        if (n > 10000) throw Refused("limit");
        double step = 1e9;
        for (const Piece& p : pieces) step = std::min(step, p.radius() / 2);
        step = std::min(step, std::abs(distance - done));
        if (distance < 0) step = -step;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            pieces[i].offset(step);
            if (pieces[i].radius() < 1e-3) pieces.erase(pieces.begin() + std::ptrdiff_t(i--));
        }
        // Outside corners open into a gap: an arc about the old corner bridges it.
        for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
            if ((pieces[i].e - pieces[i + 1].s).real() <= 1e-2) continue;
            Piece a = pieces[i], b = pieces[i + 1];
            a.offset(-step);
            b.offset(-step);
            Piece bridge{pieces[i].e, pieces[i + 1].s, (a.e + b.s) / 2.0, true, distance > 0};
            pieces.insert(pieces.begin() + std::ptrdiff_t(i + 1), bridge);
            ++i;
        }
        // Inside corners overlap: pieces that turned round are dropped, the rest meet.
        for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
            if (!pieces[i].monotonic() && i > 0) {
                const std::size_t drop = pieces[i].radius() < pieces[i - 1].radius() ? i : i - 1;
                pieces.erase(pieces.begin() + std::ptrdiff_t(drop));
                i = 0;
                if (pieces.size() < 2) break;
            }
            if (pieces[i].radius() < 1e-3) {
                pieces.erase(pieces.begin() + std::ptrdiff_t(i));
                i = 0;
                continue;
            }
            meet(pieces[i], pieces[i + 1]);
        }
        done += step;
    }
    if (pieces.empty()) throw Refused("offset");
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        const C mid = (pieces[i].e + pieces[i + 1].s) / 2.0;
        pieces[i].e = pieces[i + 1].s = mid;
    }
    Piece first = lead;
    first.e = pieces.front().s;
    pieces.insert(pieces.begin(), first);
}

void fitCorners(std::vector<Piece>& pieces) {
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
        Piece& h = pieces[i];
        if (h.corner == 0) continue;
        double d = h.corner;
        Piece a = pieces[i - 1], b = pieces[i + 1];
        a.offset(d);
        b.offset(d);
        if ((a.e - b.s).real() > 1e-2) {
            d = -d;
            a = pieces[i - 1];
            b = pieces[i + 1];
            a.offset(d);
            b.offset(d);
        }
        if ((a.e - b.s).real() > 1e-2) throw Refused("corner");
        meet(a, b);
        const C center = (a.e + b.s) / 2.0;
        a.offset(-d);
        b.offset(-d);
        h.s = pieces[i - 1].e = a.e;
        h.e = pieces[i + 1].s = b.s;
        if (h.arc) {
            h.c = center;
            h.ccw = (h.s - center).imag() > 0 || (h.e - center).imag() > 0;
        }
        h.corner = 0;
    }
}

}  // namespace zivek::gcode::g7x
