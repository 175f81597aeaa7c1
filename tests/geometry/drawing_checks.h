#pragma once

// A generated program against the drawing of its operation: read by the sweep's own
// interpreter, it must cut what the drawing shows at the sizes typed.

#include <string>

#include "geometry/drawings.h"
#include "output/press.h"

namespace zivek::geometry {

// The first fault of one written program, or empty.
std::string checkProgram(const Drawing& drawing, const BoxTexts& boxes, const PressResult& result);

}  // namespace zivek::geometry
