#pragma once

// The operation's workpiece as its drawing shows it, in program coordinates (Z along the
// axis, X across it, the origin where the tool was zeroed): the material the program is
// to remove, the finished part beside it, and the insert that cuts. The press hands it
// to the viewer, which cuts the material pass by pass and checks the program against it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zivek {

struct PlanePoint {
    double z = 0;
    double x = 0;
    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

// A convex polygon, its corners in order.
using Outline = std::vector<PlanePoint>;

struct Workpiece {
    std::vector<Outline> material;  // to remove: the green of the drawing
    std::vector<Outline> part;      // the finished part, in convex pieces: the grey
    Outline insert;                 // around its cutting corner at (0, 0)
    bool empty() const { return material.empty() && part.empty(); }
    friend bool operator==(const Workpiece&, const Workpiece&) = default;
};

// One line of text without blanks, fit for a command line: "M:z,x;z,x;...|P:...|T:...".
// Numbers are written in their shortest exact form, so reading gives the same doubles.
std::string workpieceText(const Workpiece& workpiece);

// Nothing for text that is not such a line (or holds a number that is not finite).
std::optional<Workpiece> readWorkpiece(std::string_view text);

}  // namespace zivek
