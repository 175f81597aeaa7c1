// Every M-code the reader knows: its number, modal group, the words it takes and what it
// does, at its group's turn in the block or in place of the block's move. The spindle,
// coolant and tool change draw nothing; they are known so that two of one group on a
// line are seen.

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "gcode/interpreter.h"

namespace zivek::gcode {

using I = Interpreter;
using M = MCode;
using Group = ModalGroup;

// A friend of the interpreter, so that its rows may name the handlers.
struct MCodeTable {
    static constexpr std::uint32_t kNone = 0;

    // In the order of MCode, so that a code is its own index.
    static constexpr std::array<MCodeRow, std::size_t(MCode::M99) + 1> rows{{
        {0, M::M0, Group::Stop, kNone, nullptr},  // a pause: the path goes on
        {10, M::M1, Group::Stop, kNone, nullptr},
        {20, M::M2, Group::Stop, kNone, &I::endProgram},
        {30, M::M3, Group::Spindle, kNone, &I::setSpindle},
        {40, M::M4, Group::Spindle, kNone, &I::setSpindle},
        {50, M::M5, Group::Spindle, kNone, &I::setSpindle},
        {60, M::M6, Group::ToolChange, kNone, &I::changeTool},
        {70, M::M7, Group::Coolant, kNone, nullptr},
        {80, M::M8, Group::Coolant, kNone, nullptr},
        {90, M::M9, Group::Coolant, kNone, nullptr},
        {300, M::M30, Group::Stop, kNone, &I::endProgram},
        {600, M::M60, Group::Stop, kNone, &I::changePallet},
        {730, M::M73, Group::ModalState, kNone, &I::saveModes},
        // P the program (or repeats and program), L or K the repeats.
        {980, M::M98, Group::Subprogram, letters("PLK"), nullptr, &I::callSubprogram},
        {990, M::M99, Group::Stop, kNone, &I::returnFromSubprogram},
    }};
};

namespace {

static_assert(
    [] {
        const auto& rows = MCodeTable::rows;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (std::size_t(rows[i].code) != i || (i > 0 && rows[i - 1].tenths >= rows[i].tenths))
                return false;
        return true;
    }(),
    "rows in the order of MCode and of their numbers");

constexpr auto kByTenths = [] {
    std::array<std::uint8_t, 1000> index{};
    index.fill(std::uint8_t(MCodeTable::rows.size()));
    for (std::size_t i = 0; i < MCodeTable::rows.size(); ++i)
        index[std::size_t(MCodeTable::rows[i].tenths)] = std::uint8_t(i);
    return index;
}();

}  // namespace

const MCodeRow* mCodeRow(double number) {
    const double t = std::round(number * 10);
    if (!(std::abs(number * 10 - t) < 1e-6) || t < 0 || t >= double(kByTenths.size()))
        return nullptr;
    const std::size_t i = kByTenths[std::size_t(t)];
    return i < MCodeTable::rows.size() ? &MCodeTable::rows[i] : nullptr;
}

// What the M-codes do.

void Interpreter::saveModes(const MCodeRow&) {
    // M73: the subroutine's modes are undone when it returns.
    if (depth_ > 0 && rules_->m73SavesModes) savedModes_[depth_] = m_;
}

void Interpreter::setSpindle(const MCodeRow& m) {
    m_.spindle = std::int16_t(m.tenths);
}

void Interpreter::changePallet(const MCodeRow&) {
    tool_.forget();
}

void Interpreter::endProgram(const MCodeRow&) {
    if (sink_->programEnd() == MoveSink::ProgramEnd::EndsRead) {
        flow_.returnFromCall();
    } else {
        flow_.endProgram();
    }
}

void Interpreter::returnFromSubprogram(const MCodeRow&) {
    if (depth_ > 0) {
        flow_.returnFromCall();
    } else {
        flow_.stop();
    }
}

void Interpreter::changeTool(const MCodeRow&) {
    tools_.loaded = selectedTool();
    if (rules_->toolWord != ToolWord::PreparedForM6 || preparedTool_ < 0) return;
    const auto number = std::uint32_t(preparedTool_);
    recordToolChange(number, number);
}

// M98 P1000 L2 (or P21000: twice program 1000).
void Interpreter::callSubprogram(const MCodeRow& m) {
    double p = b_.has('P') ? b_.get('P') : -1;
    double times = b_.has('L') ? b_.get('L') : b_.has('K') ? b_.get('K') : 1;
    if (p >= 10000 && !b_.has('L') && !b_.has('K')) {
        times = std::floor(p / 10000);
        p = std::fmod(p, 10000);
    }
    const Sub* s = p >= 0 && p < 1e9 ? findSub(std::to_string(long(p))) : nullptr;
    if (s == nullptr) {
        warn(Warning::UnsupportedM, nameOf(m.code));
    } else if (times >= 1 && times < 1e6) {
        callLines(s->begin, s->end, std::size_t(times));
    }
}

std::string nameOf(MCode code) {
    const int t = MCodeTable::rows[std::size_t(code)].tenths;
    char buf[16];
    std::snprintf(buf, sizeof buf, "M%d", t / 10);
    return buf;
}

}  // namespace zivek::gcode
