#pragma once

// The drawings as plain data. Coordinates are in units of the cut: u = X / acrossUnit
// and v = Z / alongUnit, with the origin at the drawing's zero point, +u away from the
// axis for the outside cuts and into the bore wall for the inside ones, -v toward the
// chuck. Regions are convex polygons; `far` stands for "unbounded".

#include <array>
#include <ostream>
#include <vector>

#include "geometry/polygon_geometry.h"
#include "geometry/sweep_values.h"

namespace zivek::geometry {

using testing::Operation;

inline constexpr double far = 1e3;

enum class Measure { Depth, Length };  // Depth is taperDepth for the tapers
enum class Surface { Across, Along };  // where a cut's material meets air: U = 0 or W = 0

struct Drawing {
    Operation operation;
    const char* name;
    Measure acrossUnit, alongUnit;
    Polygon stock;              // the workpiece before cutting
    std::vector<Polygon> part;  // the finished part, as convex pieces
    Polygon removal;            // the material to remove, bounded by air and the part
    std::vector<std::array<Point, 2>> finished;  // the finished faces, cut by feeds
    Surface surface;  // a feed removes what lies between it and this surface
    Point deeper;     // the direction in which a pass goes deeper
};

inline const Drawing drawings[] = {
    // Tool at the outer top corner; the outside turned down by the depth over the length.
    {Operation::ExternalDiameter,
     "ExternalDiameter",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {-far, 0}, {-far, -far}, {0, -far}},
     {{{-1, 0}, {-far, 0}, {-far, -far}, {-1, -far}},
      {{0, -1}, {-far, -1}, {-far, -far}, {0, -far}}},
     {{0, 0}, {-1, 0}, {-1, -1}, {0, -1}},
     {{{{-1, 0}, {-1, -1}}}, {{{-1, -1}, {0, -1}}}},
     Surface::Across,
     {-1, 0}},
    // Mirrored in U: the tool at the inner corner, the bore widened into its wall.
    {Operation::InternalDiameter,
     "InternalDiameter",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {far, 0}, {far, -far}, {0, -far}},
     {{{1, 0}, {far, 0}, {far, -far}, {1, -far}}, {{0, -1}, {far, -1}, {far, -far}, {0, -far}}},
     {{0, 0}, {1, 0}, {1, -1}, {0, -1}},
     {{{{1, 0}, {1, -1}}}, {{{1, -1}, {0, -1}}}},
     Surface::Across,
     {1, 0}},
    // Tool at the outer corner of the end face; the length runs across to the centre,
    // the depth into the face. The feed back out at the centre runs along the axis.
    {Operation::Facing,
     "Facing",
     Measure::Length,
     Measure::Depth,
     {{0, 0}, {-far, 0}, {-far, -far}, {0, -far}},
     {{{0, -1}, {-far, -1}, {-far, -far}, {0, -far}}},
     {{0, 0}, {-1, 0}, {-1, -1}, {0, -1}},
     {{{{0, -1}, {-1, -1}}}},
     Surface::Along,
     {0, -1}},
    // Tool on the large diameter at the end face; the cone runs from taperDepth inside
    // it at the face out to the large diameter at the length.
    {Operation::ExternalTaper,
     "ExternalTaper",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {-far, 0}, {-far, -far}, {0, -far}},
     {{{-1, 0}, {-far, 0}, {-far, -far}, {0, -far}, {0, -1}}},
     {{0, 0}, {-1, 0}, {0, -1}},
     {{{{-1, 0}, {0, -1}}}},
     Surface::Across,
     {-1, 0}},
    // Tool on the bore at the end face; the cone opens taperDepth into the wall at the
    // face and meets the bore at the length.
    {Operation::InternalTaper,
     "InternalTaper",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {far, 0}, {far, -far}, {0, -far}},
     {{{1, 0}, {far, 0}, {far, -far}, {0, -far}, {0, -1}}},
     {{0, 0}, {1, 0}, {0, -1}},
     {{{{1, 0}, {0, -1}}}},
     Surface::Across,
     {1, 0}},
};

// Names a drawing in test reports.
inline void PrintTo(const Drawing& drawing, std::ostream* out) {
    *out << drawing.name;
}

}  // namespace zivek::geometry
