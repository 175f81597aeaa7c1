#pragma once

#include "gcode/internal.h"

// The parameters a LinuxCNC program computes with: numbered (#1..#5601), named locals
// (#<name>) and named globals (#<_name>). Settings made on a line wait in a queue and
// all take effect together once the line has been read, as LinuxCNC does. The values the
// interpreter's own state gives (#<_x>, #5420 ...) are asked of it when read, and are
// read-only.

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zivek::gcode {

class Parameters {
  public:
    static constexpr int kLastNumbered = 5601;
    static constexpr int kArguments = 30;  // #1..#30 carry a call's arguments

    // A value of the interpreter's state: by lower-case name without blanks (number 0),
    // or by number (name empty). False when the state gives no such value.
    using StateValue = std::function<bool(std::string_view name, int number, double& value)>;

    Parameters();
    void setStateValue(StateValue state) { state_ = std::move(state); }
    // An unset numbered parameter reads 0; false for a number out of range.
    bool get(double number, double& value) const;
    // A name as written between "<" and ">"; blanks are dropped and case ignored.
    bool getNamed(std::string_view name, double& value) const;
    bool exists(std::string_view name) const;

    // Queued until commit(); false for a number out of range or one the state gives.
    bool defer(double number, double value);
    // False, and nothing queued, for a name the state gives.
    bool deferNamed(std::string_view name, double value);
    void commit();
    void dropPending() { pending_.clear(); }

    // A call gets fresh locals and #1..#30 set to its arguments; a return restores them.
    void enterCall(const std::vector<double>& arguments);
    void leaveCall();

  private:
    struct Setting {
        int number;  // 0 for a named one
        std::string name;
        double value;
    };
    struct Frame {
        std::array<double, kArguments> saved{};
        std::map<std::string, double> locals;
    };
    static std::string key(std::string_view name);
    void setNamed(const std::string& name, double value);

    std::vector<double> numbered_;
    std::map<std::string, double> globals_;
    std::vector<Frame> frames_;  // the program's own level first
    std::vector<Setting> pending_;
    StateValue state_;
};

}  // namespace zivek::gcode
