#include "output/shared_checks.h"

#include <array>

namespace zivek {
namespace {

bool isBinary(double command) {
    return command == 0 || command == 1;
}

constexpr std::array<Check, 3> sharedChecks = {{
    {[](const Parameters& p) { return !isBinary(p.coolantCommand); }, MessageKey::CoolantNotBinary},
    {[](const Parameters& p) { return !isBinary(p.spindleCommand); }, MessageKey::SpindleNotBinary},
    {[](const Parameters& p) { return p.spindleSpeed > 100 || p.spindleSpeed < 5; },
     MessageKey::SpeedOutOfRange},
}};

}  // namespace

std::optional<MessageKey> firstRefusal(const Cycle& cycle, const Parameters& values,
                                       std::uint64_t* passes) {
    for (const Check& check : cycle.ownChecks)
        if (check.fails(values)) return check.key;
    for (const Check& check : sharedChecks)
        if (check.fails(values)) return check.key;
    // Last of all, so that every other refusal keeps its place: a program beyond the
    // bound is useless, and with a tiny plunge its passes would never end.
    const std::uint64_t counted = cycle.countPasses(values, cycle.prepare(values), maxPasses);
    if (passes != nullptr) *passes = counted;
    if (counted > maxPasses) return MessageKey::PlungeTooSmall;
    return std::nullopt;
}

}  // namespace zivek
