#pragma once

namespace zivek::windows {

// Makes the picture buttons known to assistive tools (screen readers) as buttons.
// Called by each button; installs once. (The output box installs its own.)
void installAccessibility();

}  // namespace zivek::windows
