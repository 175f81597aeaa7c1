#pragma once

#include <array>
#include <span>
#include <string_view>

#include "output/cycle.h"
#include "windows/control_definition.h"

namespace zivek::windows {

// One operation window: its frame, its drawing, its cycle and the controls that are
// its own; the controls all five share are added by commonControls().
struct OperationWindowDefinition {
    WindowFrame frame;
    Picture drawing;
    const zivek::Cycle& (*cycle)();
    int text1Left;  // twips: the one common control that moves between windows
    std::span<const ControlDefinition> parameterBoxes;
    std::span<const TabPosition> tabPositions;
};

inline constexpr int commonControlCount = 11;

// The drawing area, the output box, the spindle and coolant group and the two
// buttons, as they stand in every operation window.
std::array<ControlDefinition, commonControlCount> commonControls(
    const OperationWindowDefinition& window);

const OperationWindowDefinition& form2();   // facing
const OperationWindowDefinition& form3();   // external taper
const OperationWindowDefinition& form4();   // internal diameter
const OperationWindowDefinition& form5();   // internal taper
const OperationWindowDefinition& form11();  // external diameter

}  // namespace zivek::windows
