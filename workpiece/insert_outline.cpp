#include "zivek/workpiece/insert_outline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zivek::workpiece {
namespace {

using gcode::InsertKind;
using gcode::ToolEntry;

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
// The nose arc in chords of at most this many degrees: within 1 % of the radius.
constexpr double kChordDegrees = 15;
constexpr double kClearance = kEdgeClearanceDegrees * kDegree;

struct TipPlace {
    double z = 0;  // toward the nose centre from the driven point, in nose radii
    double x = 0;
};
// Index: the tip orientation, as LinuxCNC's preview places the nose.
constexpr std::array<TipPlace, 10> kTipPlaces{
    {{1, 1}, {-1, 1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 0}, {0, 1}, {1, 0}, {0, -1}, {1, 1}}};

// The leading edge's angle to the feed along Z in the usual holders, by shape letter.
struct HolderLead {
    char shape;
    double degrees;
};
constexpr std::array kHolderLeads{HolderLead{'C', 95}, HolderLead{'W', 95}, HolderLead{'S', 75},
                                  HolderLead{'D', 93}, HolderLead{'V', 93}, HolderLead{'T', 93},
                                  HolderLead{'K', 93}};

Point along(double angle, double length) {
    return {std::cos(angle) * length, std::sin(angle) * length};
}

double wrapped(double angle) {
    angle = std::fmod(angle, 2 * kPi);
    return angle < 0 ? angle + 2 * kPi : angle;
}

// Points on the arc from angle `from` counter-clockwise by `span`, chord by chord.
void addArc(std::vector<Point>& points, Point centre, double radius, double from, double span) {
    const int chords = std::max(1, int(std::ceil(span / (kChordDegrees * kDegree))));
    for (int i = 0; i <= chords; ++i) {
        const Point p = along(from + span * i / chords, radius);
        points.push_back({centre.z + p.z, centre.x + p.x});
    }
    // The arc's extremes along Z and X exactly: they make the point the program drives.
    constexpr std::array<Point, 4> kAxes{{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};
    for (int quarter = int(std::ceil(from / (kPi / 2))); quarter * kPi / 2 <= from + span;
         ++quarter) {
        const Point axis = kAxes[std::size_t(((quarter % 4) + 4) % 4)];
        points.push_back({centre.z + axis.z * radius, centre.x + axis.x * radius});
    }
}

// Feeds in the body's wedge push its back ahead; feeds opposite it drag the back edge
// through the surface the nose has just left.
std::vector<AngleRange> backOf(double lowEdge, double highEdge) {
    const double from = wrapped(lowEdge - kClearance);
    const double to = wrapped(highEdge + kClearance);
    return {{from, to}, {wrapped(from + kPi), wrapped(to + kPi)}};
}

struct Frame {
    Point noseCentre;
    Point body;  // unit, from the nose into the body
    int tip = 2;
};

Frame frameOf(const ToolEntry& entry, double radius) {
    const int tip = entry.tip >= 1 && entry.tip <= 8 ? entry.tip : 0;
    const TipPlace place = kTipPlaces[std::size_t(tip)];
    Frame frame;
    frame.tip = tip == 0 ? 2 : tip;
    if (tip != 0) frame.noseCentre = {place.z * radius, place.x * radius};
    const double length = std::hypot(place.z, place.x);
    frame.body = {place.z / length, place.x / length};
    return frame;
}

// The two edges' directions from the nose, the lower angle first.
std::pair<double, double> edgesOf(const ToolEntry& entry, const Frame& frame, double included) {
    const double bodyAngle = std::atan2(frame.body.x, frame.body.z);
    const bool corner = frame.body.z != 0 && frame.body.x != 0;
    const auto lead = std::find_if(kHolderLeads.begin(), kHolderLeads.end(),
                                   [&](HolderLead h) { return h.shape == entry.insert.shape; });
    if (!corner || lead == kHolderLeads.end())
        return {bodyAngle - included / 2, bodyAngle + included / 2};
    // Tip 2's leading edge, mirrored into the quadrant of this tip.
    const double upper = kPi - lead->degrees * kDegree;
    const double lower = upper - included;
    const auto mirror = [&](double a) {
        double z = std::cos(a) * (frame.body.z < 0 ? -1 : 1);
        double x = std::sin(a) * (frame.body.x < 0 ? -1 : 1);
        return std::atan2(x, z);
    };
    double a = mirror(lower);
    double b = mirror(upper);
    if (wrapped(b - a) > kPi) std::swap(a, b);
    return {a, a + included};
}

CuttingTool turningInsert(const ToolEntry& entry) {
    const double included = entry.insert.includedAngle * kDegree;
    const bool round = !(included > 0);
    const double radius =
        round ? entry.insert.inscribedCircle / 2 : std::max(0.0, entry.noseRadius);
    const Frame frame = frameOf(entry, radius);
    CuttingTool tool;
    std::vector<Point> points;
    if (round) {
        addArc(points, frame.noseCentre, radius, 0, 2 * kPi);
        tool.insert = convexHull(std::move(points));
        return tool;  // a round insert cuts all round
    }
    const auto [low, high] = edgesOf(entry, frame, included);
    // Clipped to about the insert's size: what the picture and the checks need.
    const double edge = std::max({entry.insert.inscribedCircle, 4 * radius, 1e-3});
    // The nose: from the normal of the high edge round the front to that of the low one.
    const double arcFrom = high + kPi / 2;
    const double arcSpan = kPi - included;
    addArc(points, frame.noseCentre, radius, arcFrom, arcSpan);
    const auto onNose = [&](double angle) {
        const Point p = along(angle, radius);
        return Point{frame.noseCentre.z + p.z, frame.noseCentre.x + p.x};
    };
    const Point highStart = onNose(arcFrom);
    const Point lowStart = onNose(arcFrom + arcSpan);
    const Point highRun = along(high, edge);
    const Point lowRun = along(low, edge);
    points.push_back({lowStart.z + lowRun.z, lowStart.x + lowRun.x});
    points.push_back({highStart.z + highRun.z, highStart.x + highRun.x});
    tool.insert = convexHull(std::move(points));
    tool.backLeads = backOf(low, high);
    return tool;
}

// A blade or a drill: a strip of `width` along the body's axis, cutting at its end.
CuttingTool strip(const ToolEntry& entry, double width, double length, bool pointed) {
    const double radius = std::clamp(entry.noseRadius, 0.0, width / 2);
    const Frame frame = frameOf(entry, radius);
    // The strip runs along X unless the tip points along Z; a corner tip drives a corner.
    const bool alongX = frame.body.x != 0;
    const double ahead = alongX ? frame.body.x : frame.body.z;
    const double side = alongX ? frame.body.z : frame.body.x;
    const double low = side > 0 ? 0 : side < 0 ? -width : -width / 2;
    const double high = low + width;
    const double sign = ahead > 0 ? 1 : -1;
    // (along the axis, across it) to (Z, X).
    const auto at = [&](double a, double s) {
        return alongX ? Point{s, sign * a} : Point{sign * a, s};
    };
    std::vector<Point> points;
    if (pointed) {
        // A drill's point of 118 degrees.
        const double shoulder = (width / 2) / std::tan(59 * kDegree);
        points = {at(0, (low + high) / 2), at(shoulder, low), at(shoulder, high)};
    } else {
        // The hull keeps of each corner circle the quarter that rounds the corner.
        addArc(points, at(radius, low + radius), radius, 0, 2 * kPi);
        addArc(points, at(radius, high - radius), radius, 0, 2 * kPi);
    }
    points.push_back(at(length, low));
    points.push_back(at(length, high));
    CuttingTool tool;
    tool.insert = convexHull(std::move(points));
    const double axisAngle = alongX ? (sign > 0 ? kPi / 2 : -kPi / 2) : (sign > 0 ? 0 : kPi);
    // Only along its axis: any feed across it loads the blade's side.
    tool.backLeads = {{wrapped(axisAngle + kClearance), wrapped(axisAngle + kPi - kClearance)},
                      {wrapped(axisAngle + kPi + kClearance), wrapped(axisAngle - kClearance)}};
    return tool;
}

}  // namespace

bool AngleRange::holds(double angle) const {
    angle = wrapped(angle);
    return from <= to ? angle >= from && angle <= to : angle >= from || angle <= to;
}

std::optional<CuttingTool> cuttingToolOf(const ToolEntry& entry) {
    std::optional<CuttingTool> tool;
    switch (entry.insert.kind) {
        case InsertKind::Turning:
            if (entry.insert.includedAngle > 0 || entry.insert.inscribedCircle > 0)
                tool = turningInsert(entry);
            break;
        case InsertKind::Grooving:
            if (entry.insert.width > 0)
                tool = strip(entry, entry.insert.width, 3 * entry.insert.width, false);
            break;
        case InsertKind::Drill:
            if (entry.insert.width > 0) {
                ToolEntry drill = entry;
                drill.tip = 7;  // on the axis, its point toward the face
                tool = strip(drill, entry.insert.width, 3 * entry.insert.width, true);
            }
            break;
        case InsertKind::Unknown:
            break;
    }
    if (tool && entry.holder.size() >= 3) tool->holder = convexHull(entry.holder);
    return tool;
}

}  // namespace zivek::workpiece
