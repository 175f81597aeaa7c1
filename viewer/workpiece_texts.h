#pragma once

// The workpiece checks in words, in Turkish.

#include <QString>

#include "workpiece/workpiece_cut.h"

namespace zivek::backplot {

QString cutWarningText(const CutWarning& warning);
// The status line's count; empty when there is nothing to say.
QString cutWarningCountText(std::size_t warnings, bool cutShort);
QString stepText(std::size_t line, std::size_t lineCount);

}  // namespace zivek::backplot
