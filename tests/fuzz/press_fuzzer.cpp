// libFuzzer target: arbitrary box texts through the whole press, files included.
//
// Input: the first byte picks the operation ('0' external diameter, '1' internal
// diameter, '2' facing, '3' external taper, '4' internal taper; any byte works, taken
// modulo 5 after subtracting '0'); the rest is the texts of the operation's boxes in
// reading order, separated by '|'. Missing texts leave their boxes out, so they read as
// empty; every other byte, NUL, CR, LF and invalid UTF-8 included, stays in the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/press_checks.h"
#include "fuzz/value_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zivek;
    if (size == 0) return 0;
    const auto operation = testing::allOperations[static_cast<unsigned char>(data[0] - '0') %
                                                  testing::allOperations.size()];
    BoxTexts boxes;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const fuzz::BoxRole& role : fuzz::boxRoles(operation)) {
        if (rest.empty()) break;
        const std::size_t bar = rest.find('|');
        boxes[role.box] = std::string(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
    }

    fuzz::markFilesUntouched();
    const Cycle& cycle = testing::cycleOf(operation);
    NoViewer viewer;
    const PressResult result = press(cycle, boxes, fuzz::place(), viewer);
    fuzz::checkPress(operation, boxes, result);
    return 0;
}
