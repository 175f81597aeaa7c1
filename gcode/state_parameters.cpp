// The parameters LinuxCNC 2.9 fills from the interpreter's state, as a lathe program reads
// them: where the tool is (#<_x>, #<_z>, #5420-#5428), the coordinate systems (#5220-#5390),
// the tool (#5400-#5413), the modes in force, the feed and speed, the line. They are
// computed when read and cannot be set.

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
    CurrentTool,
    CurrentPocket,
    SelectedTool,
    SelectedPocket,
    CoordSystem,
    Plane,
    Compensation,
    CallLevel,
    SpindleOn,
    SpindleClockwise,
    RetractToR,
    RetractToStart,
    One,  // overrides at 100%, the feed hold allowed
};

struct Name {
    std::string_view name;
    State state;
};

constexpr std::array<Name, 45> kNames{{
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
    {"_current_tool", State::CurrentTool},
    {"_current_pocket", State::CurrentPocket},
    {"_selected_tool", State::SelectedTool},
    {"_selected_pocket", State::SelectedPocket},
    {"_coord_system", State::CoordSystem},
    {"_plane", State::Plane},
    {"_ccomp", State::Compensation},
    {"_call_level", State::CallLevel},
    {"_remap_level", State::NoAxis},
    {"_task", State::NoAxis},  // 0: not the running machine, a preview
    {"_spindle_on", State::SpindleOn},
    {"_spindle_cw", State::SpindleClockwise},
    {"_retract_r_plane", State::RetractToR},
    {"_retract_old_z", State::RetractToStart},
    {"_inverse_time", State::NoAxis},
    {"_adaptive_feed", State::NoAxis},
    {"_speed_override", State::One},
    {"_feed_override", State::One},
    {"_feed_hold", State::One},
    {"_tool_offset", State::NoAxis},
}};

// #5420-#5428: the position in X Y Z A B C U V W, after offsets, in program units.
constexpr int kFirstPosition = 5420;
constexpr int kLastPosition = 5428;

double flag(bool b) {
    return b ? 1.0 : 0.0;
}

// #5220 the coordinate system in force (1 for G54); from #5221 each system's origin in
// twenty parameters, X Y Z A B C U V W and the rotation R.
constexpr int kSystemInForce = 5220;
constexpr int kPerSystem = 20;
// #5400 the tool in the spindle; #5401-#5409 its offsets along X Y Z A B C U V W, #5410
// its diameter, #5411-#5413 its angles and orientation.
constexpr int kToolNumber = 5400;
constexpr int kToolDiameter = 5410;
constexpr int kLastToolValue = 5413;

}  // namespace

bool Interpreter::stateValue(std::string_view name, int number, double& value) {
    State state = State::NoAxis;
    if (name.empty()) {
        if (number < kFirstPosition || number > kLastPosition)
            return numberedStateValue(number, value);
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
        case State::CurrentTool:
            value = tools_.loaded;
            break;
        case State::CurrentPocket:
            value = pocketOf(tools_.loaded);
            break;
        case State::SelectedTool:
            value = selectedTool();
            break;
        case State::SelectedPocket:
            value = m_.tool < 0 ? -1 : pocketOf(selectedTool());
            break;
        // G54 ... G59 are 540 ... 590, then G59.1 591 ... G59.3 593.
        case State::CoordSystem:
            value = systems_.current < 6 ? 540 + 10 * systems_.current : 585 + systems_.current;
            break;
        case State::Plane:
            value = m_.plane;
            break;
        // G41.1 reads as G41, G42.1 as G42.
        case State::Compensation:
            value = m_.compensation;
            break;
        case State::CallLevel:
            value = depth_;
            break;
        case State::SpindleOn:
            value = flag(m_.spindle != 50);
            break;
        case State::SpindleClockwise:
            value = flag(m_.spindle == 30);
            break;
        case State::RetractToR:
            value = flag(!cycles_.drill.retractToStart);
            break;
        case State::RetractToStart:
            value = flag(cycles_.drill.retractToStart);
            break;
        case State::One:
            value = 1;
            break;
    }
    return true;
}

// The coordinate systems and the tool in the spindle, in the path's units (LinuxCNC's
// machine units).
bool Interpreter::numberedStateValue(int number, double& value) {
    // Ten a system are used: the last ends at #5390.
    const int last = kSystemInForce + (CoordinateSystems::kCount - 1) * kPerSystem + 10;
    if (number >= kSystemInForce && number <= last) {
        if (number == kSystemInForce) {
            value = systems_.current + 1;
            return true;
        }
        const int system = (number - kSystemInForce - 1) / kPerSystem;
        const int axis = (number - kSystemInForce - 1) % kPerSystem;
        const Point offset = systems_.origins[std::size_t(system)].offset;
        value = axis == 0 ? offset.x : axis == 2 ? offset.z : 0;
        return true;
    }
    if (number >= kToolNumber && number <= kLastToolValue) {
        value = number == kToolNumber ? tools_.loaded : 0;
        const ToolEntry* entry = toolEntry(tools_.loaded);
        if (entry == nullptr) return true;
        const ToolEntry inPath = toolInUnits(*entry, tools_.table->inch, pathUnits_.inch);
        if (number == kToolNumber + 1) value = inPath.xOffset;
        if (number == kToolNumber + 3) value = inPath.zOffset;
        if (number == kToolDiameter) value = 2 * inPath.noseRadius;
        if (number == kLastToolValue) value = inPath.tip;
        return true;
    }
    return false;
}

// LinuxCNC's pockets are the tools' places in its table, from 1; without a table, or for
// a tool it does not hold, the number.
int Interpreter::pocketOf(int tool) const {
    std::size_t place = 0;
    return toolEntry(tool, &place) != nullptr ? int(place) + 1 : tool;
}

}  // namespace zivek::gcode
