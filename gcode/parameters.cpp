#include "gcode/parameters.h"

#include <cmath>

namespace zivek::gcode {
namespace {

// LinuxCNC keeps its own settings and positions from here on; no program's own numbers.
constexpr int kFirstSystemNumber = 5161;

int index(double number) {
    const double n = std::floor(number + 0.5);
    // LinuxCNC truncates a parameter number that is nearly whole; others are faults.
    if (std::abs(number - n) > 1e-4 || n < 1 || n > Parameters::kLastNumbered) return 0;
    return int(n);
}

}  // namespace

Parameters::Parameters() : numbered_(std::size_t(kLastNumbered) + 1, 0.0), frames_(1) {
    // What a call gives back reads 0 before any call has returned.
    globals_["_value"] = 0;
    globals_["_value_returned"] = 0;
}

std::string Parameters::key(std::string_view name) {
    std::string k;
    k.reserve(name.size());
    for (const char c : name) {
        if (c == ' ' || c == '\t') continue;
        k += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return k;
}

bool Parameters::get(double number, double& value) const {
    const int i = index(number);
    if (i == 0) return false;
    if (i >= kFirstSystemNumber && state_ && state_({}, i, value)) return true;
    value = numbered_[std::size_t(i)];
    return true;
}

bool Parameters::getNamed(std::string_view name, double& value) const {
    const std::string k = key(name);
    if (!k.empty() && k[0] == '_' && state_ && state_(k, 0, value)) return true;
    const auto& scope = (!k.empty() && k[0] == '_') ? globals_ : frames_.back().locals;
    const auto it = scope.find(k);
    if (it == scope.end()) return false;
    value = it->second;
    return true;
}

bool Parameters::exists(std::string_view name) const {
    double unused = 0;
    return getNamed(name, unused);
}

bool Parameters::defer(double number, double value) {
    const int i = index(number);
    if (i == 0) return false;
    double unused = 0;
    if (i >= kFirstSystemNumber && state_ && state_({}, i, unused)) return false;
    pending_.push_back({i, {}, value});
    return true;
}

bool Parameters::deferNamed(std::string_view name, double value) {
    std::string k = key(name);
    double unused = 0;
    if (!k.empty() && k[0] == '_' && state_ && state_(k, 0, unused)) return false;
    pending_.push_back({0, std::move(k), value});
    return true;
}

void Parameters::setNamed(const std::string& name, double value) {
    if (!name.empty() && name[0] == '_') {
        globals_[name] = value;
    } else {
        frames_.back().locals[name] = value;
    }
}

void Parameters::commit() {
    for (const Setting& s : pending_) {
        if (s.number > 0) {
            numbered_[std::size_t(s.number)] = s.value;
        } else {
            setNamed(s.name, s.value);
        }
    }
    pending_.clear();
}

void Parameters::enterCall(const std::vector<double>& arguments) {
    Frame f;
    for (std::size_t i = 0; i < f.saved.size(); ++i) {
        f.saved[i] = numbered_[i + 1];
        numbered_[i + 1] = i < arguments.size() ? arguments[i] : 0.0;
    }
    frames_.push_back(std::move(f));
}

void Parameters::leaveCall() {
    if (frames_.size() <= 1) return;
    const Frame& f = frames_.back();
    for (std::size_t i = 0; i < f.saved.size(); ++i) numbered_[i + 1] = f.saved[i];
    frames_.pop_back();
}

}  // namespace zivek::gcode
