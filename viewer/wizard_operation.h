#pragma once

// This system's own programs carry no comments: which operation wrote one, and the values
// typed into its window, are read back from the fixed form its lines take.

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace zivek::backplot {

enum class WizardKind { ExternalDiameter, InternalDiameter, Facing, ExternalTaper, InternalTaper };

// The window's boxes, as far as the program shows them: a taper's two diameters only by
// their difference.
enum class WizardBox {
    Coolant,           // 1: M08, 0: M09
    SpindleDirection,  // 0: M03, 1: M04
    SpindleSpeed,
    TurningDepth,
    TurningLength,
    Plunge,
    Feed,
    DiameterDifference,  // large minus small diameter
};

struct WizardOperation {
    WizardKind kind = WizardKind::ExternalDiameter;
    std::vector<std::pair<WizardBox, double>> values;  // in the window's order
};

// None when the text is not in the form the wizard writes.
std::optional<WizardOperation> readWizardOperation(std::string_view program);

}  // namespace zivek::backplot
