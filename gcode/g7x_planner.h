#pragma once

#include "gcode/internal.h"

// LinuxCNC's roughing and finishing cycles (G70, G71, G71.1, G71.2, G72 and its
// subcycles) planned from their contour, move for move as LinuxCNC 2.9 makes them:
// the contour is turned so that it runs towards -Z and +X, offset normal to itself by
// the stock left, cut in levels of the depth of cut, and the moves are turned back.

#include <string>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// One piece of a contour: a line, or an arc about `center`.
struct ContourPiece {
    Point from;
    Point to;
    Point center;
    bool arc = false;
    bool ccw = false;
    double fillet = 0;   // a round of this radius at the corner after the piece
    double chamfer = 0;  // a chamfer of this size there
};

struct PlannedMove {
    MoveKind kind = MoveKind::Rapid;
    Point to;
    Point center;
    bool arc = false;
    bool ccw = false;
};

enum class G7xKind { Finish, Rough, Face };

// Which part of the work a roughing cycle does: all of it (G71), the outline without
// its pockets (G71.1), or the pockets it left (G71.2).
enum class G7xPart { All, NoPockets, OnlyPockets };

struct G7xRequest {
    G7xKind kind = G7xKind::Rough;
    G7xPart part = G7xPart::All;
    Point start;           // the cycle's X and Z: where the contour is entered from
    double stock = 0;      // D: left normal to the contour (G70: the first pass's)
    double lastStock = 0;  // E: G70's last pass
    double passes = 1;     // P: G70's passes from D to E
    double depth = 1;      // I: depth of cut
    double retract = 0.5;  // R: escape along both axes after each level
    Point shift;           // U and W: moved along the axes after the offset
};

// False with a reason when LinuxCNC refuses the contour (it does not run one way in Z,
// or its offset has no corner to meet at); `moves` then holds nothing usable.
bool planG7x(const std::vector<ContourPiece>& contour, const G7xRequest& request,
             std::vector<PlannedMove>& moves, std::string& reason, std::size_t workLimit);

}  // namespace zivek::gcode
