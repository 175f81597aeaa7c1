#pragma once

// A small lathe interpreter for the sweep: G0 and G1 modal, U and W incremental, X and Z
// absolute. The tool starts where the operator zeroed it; the opening G0X0Y0 sets X0 and,
// the lathe having no Y axis, leaves Z at that zero.
//
// The viewer has an interpreter of its own. This one is kept apart on purpose, as an
// independent reader: a fault shared by the viewer's reading and the generator (a sign,
// a modal word) would pass unseen if the sweep read programs through the viewer. It
// reads only what the generator writes and reports anything else as a fault.

#include <cstddef>
#include <string>
#include <vector>

namespace zivek::geometry {

struct Position {
    double x = 0, z = 0;
    bool operator==(const Position&) const = default;
};

struct Move {
    Position from, to;
    bool feed = false;
    std::size_t line = 0;
};

struct Run {
    std::vector<Move> moves;
    std::vector<Position> after;  // the position after each line
    std::string fault;
};

Run interpret(const std::vector<std::string>& lines);

}  // namespace zivek::geometry
