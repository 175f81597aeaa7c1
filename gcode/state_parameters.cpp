// The parameters LinuxCNC 2.9 fills from the interpreter's state, as a lathe program reads
// them: where the tool is (#<_x>, #<_z>, #5420-#5428), the modes in force, the feed and
// speed, the line. They are computed when read and cannot be set.

#include <algorithm>
#include <array>

#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

enum class State {
    X,
    Z,
    NoAxis,  // Y, A, B, C, U, V, W: a lathe has none of them; LinuxCNC gives 0
    Metric,
    Imperial,
    Absolute,
    Incremental,
    Feed,
    Rpm,
    MotionMode,
    Line,
    DiameterMode,
    RadiusMode,
    UnitsPerMinute,
    UnitsPerRev,
    CssMode,
    RpmMode,
    VersionMajor,
    VersionMinor,
};

struct Name {
    std::string_view name;
    State state;
};

constexpr std::array<Name, 25> kNames{{
    {"_x", State::X},
    {"_z", State::Z},
    {"_y", State::NoAxis},
    {"_a", State::NoAxis},
    {"_b", State::NoAxis},
    {"_c", State::NoAxis},
    {"_u", State::NoAxis},
    {"_v", State::NoAxis},
    {"_w", State::NoAxis},
    {"_metric", State::Metric},
    {"_imperial", State::Imperial},
    {"_absolute", State::Absolute},
    {"_incremental", State::Incremental},
    {"_feed", State::Feed},
    {"_rpm", State::Rpm},
    {"_motion_mode", State::MotionMode},
    {"_line", State::Line},
    {"_lathe_diameter_mode", State::DiameterMode},
    {"_lathe_radius_mode", State::RadiusMode},
    {"_units_per_minute", State::UnitsPerMinute},
    {"_units_per_rev", State::UnitsPerRev},
    {"_spindle_css_mode", State::CssMode},
    {"_spindle_rpm_mode", State::RpmMode},
    // LinuxCNC 2.9 itself answers 2.9 and 0.
    {"_vmajor", State::VersionMajor},
    {"_vminor", State::VersionMinor},
}};

// #5420-#5428: the position in X Y Z A B C U V W, after offsets, in program units.
constexpr int kFirstPosition = 5420;
constexpr int kLastPosition = 5428;

double flag(bool b) {
    return b ? 1.0 : 0.0;
}

}  // namespace

bool Interpreter::stateValue(std::string_view name, int number, double& value) {
    State state = State::NoAxis;
    if (name.empty()) {
        if (number < kFirstPosition || number > kLastPosition) return false;
        // LinuxCNC stops here under compensation (#<_x> gives the nose centre instead).
        if (nose_.active()) warn(CompensationFault::PositionRead);
        state = number == kFirstPosition       ? State::X
                : number == kFirstPosition + 2 ? State::Z
                                               : State::NoAxis;
    } else {
        const auto it = std::find_if(kNames.begin(), kNames.end(),
                                     [name](const Name& n) { return n.name == name; });
        if (it == kNames.end()) return false;
        state = it->state;
    }
    switch (state) {
        // X as a radius, as LinuxCNC keeps it under G7 too, in the units in force.
        // Under compensation, the nose centre: LinuxCNC's current point.
        case State::X:
            value = (nose_.active() ? nose_.noseCentre().x : tool_.at.x) / b_.lengthScale;
            break;
        case State::Z:
            value = (nose_.active() ? nose_.noseCentre().z : tool_.at.z) / b_.lengthScale;
            break;
        case State::NoAxis:
            value = 0;
            break;
        case State::Metric:
            value = flag(!m_.inch);
            break;
        case State::Imperial:
            value = flag(m_.inch);
            break;
        case State::Absolute:
            value = flag(!m_.incremental);
            break;
        case State::Incremental:
            value = flag(m_.incremental);
            break;
        case State::Feed:
            value = m_.feed;
            break;
        case State::Rpm:
            value = m_.speed;
            break;
        // G0 is 0, G1 10 ... G33 330; before any motion code, LinuxCNC starts in G80.
        case State::MotionMode:
            value = motionNumber(m_.motion);
            break;
        case State::Line:
            value = double(line_) + 1;
            break;
        case State::DiameterMode:
            value = flag(m_.diameter);
            break;
        case State::RadiusMode:
            value = flag(!m_.diameter);
            break;
        case State::UnitsPerMinute:
            value = flag(!m_.perRevolution);
            break;
        case State::UnitsPerRev:
            value = flag(m_.perRevolution);
            break;
        case State::CssMode:
            value = flag(m_.constantSurface);
            break;
        case State::RpmMode:
            value = flag(!m_.constantSurface);
            break;
        case State::VersionMajor:
            value = 2.9;
            break;
        case State::VersionMinor:
            value = 0;
            break;
    }
    return true;
}

}  // namespace zivek::gcode
