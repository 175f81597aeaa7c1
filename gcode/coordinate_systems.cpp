// The coordinate systems G54-G59.3 and their origins (G10 L2, L20), and the local offset
// G52. The tool's coordinates are those of the system in force, shifted by G92 or G52, as
// LinuxCNC's own positions are: a change of origin moves the coordinates, not the tool.

#include <cmath>
#include <cstdio>

#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// G54 is system 1 ... G59.3 system 9: LinuxCNC's P of G10 and #5220.
int systemOf(GCode code) {
    return int(code) - int(GCode::G54) - (code > GCode::G54_1 ? 1 : 0) + 1;
}

}  // namespace

void Interpreter::moveOrigin(const CoordinateSystems::Origin& next) {
    const CoordinateSystems::Origin& now = systems_.inForce();
    tool_.at = {tool_.at.z + now.offset.z - next.offset.z,
                tool_.at.x + now.offset.x - next.offset.x};
    tool_.knownZ = tool_.knownZ && now.knownZ && next.knownZ;
    tool_.knownX = tool_.knownX && now.knownX && next.knownX;
}

void Interpreter::selectCoordinateSystem(const GCodeRow& g) {
    const int index = systemOf(g.code) - 1;
    if (index == systems_.current) return;
    moveOrigin(systems_.origins[std::size_t(index)]);
    systems_.current = index;
}

// G10 L2 P X Z: the origin of system P (0 the one in force) at X Z of the machine; L20:
// where the tool stands is X Z in it. Other forms set tool data the reader does not keep.
void Interpreter::setCoordinateSystem(const GCodeRow& g) {
    const double l = b_.has('L') ? b_.get('L') : -1;
    if (l != 2 && l != 20) {
        char name[24];
        std::snprintf(name, sizeof name, "G10 L%g", l);
        warn(Warning::UnsupportedG, name);
        claimWords(g);
        return;
    }
    // LinuxCNC refuses a P that names no system, and so does nothing of the line.
    const double p = b_.has('P') ? b_.get('P') : -1;
    if (p != std::floor(p) || p < 0 || p > CoordinateSystems::kCount) {
        warn(Warning::BadNumber, b_.has('P') ? b_.text[std::size_t('P' - 'A')] : "G10 P");
        claimWords(g);
        return;
    }
    const int index = p == 0 ? systems_.current : int(p) - 1;
    CoordinateSystems::Origin next = systems_.origins[std::size_t(index)];
    const CoordinateSystems::Origin& now = systems_.inForce();
    const auto set = [&](char letter, double scale, double at, bool known, double inForce,
                         bool inForceKnown, double& offset, bool& offsetKnown) {
        if (!b_.has(letter)) return;
        const double v = b_.length(letter) / scale;
        if (l == 2) {
            offset = v;
            offsetKnown = true;
        } else {
            offset = at + inForce - v;
            offsetKnown = known && inForceKnown;
        }
    };
    set('X', m_.xScale(), tool_.at.x, tool_.knownX, now.offset.x, now.knownX, next.offset.x,
        next.knownX);
    set('Z', 1.0, tool_.at.z, tool_.knownZ, now.offset.z, now.knownZ, next.offset.z, next.knownZ);
    if (index == systems_.current) moveOrigin(next);
    systems_.origins[std::size_t(index)] = next;
}

// G52 X Z: the named axes' local offset, in place of G92's, in the system in force.
void Interpreter::setLocalOffset(const GCodeRow&) {
    Point shift = g92_.shift;
    if (b_.has('X')) shift.x = -b_.length('X') / m_.xScale();
    if (b_.has('Z')) shift.z = -b_.length('Z');
    if (b_.has('X')) {
        tool_.at.x += shift.x - g92_.shift.x;
        tool_.knownX = tool_.knownX && g92_.knownX;
        g92_.knownX = true;
    }
    if (b_.has('Z')) {
        tool_.at.z += shift.z - g92_.shift.z;
        tool_.knownZ = tool_.knownZ && g92_.knownZ;
        g92_.knownZ = true;
    }
    g92_.shift = shift;
}

}  // namespace zivek::gcode
