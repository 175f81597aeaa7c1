#pragma once

#include "zivek/gcode/toolpath.h"

namespace zivek::testing {

// Options that read a program in the given dialect instead of guessing it.
inline zivek::backplot::ReadOptions readingAs(zivek::backplot::Dialect dialect) {
    zivek::backplot::ReadOptions options;
    options.autoDialect = false;
    options.dialect = dialect;
    return options;
}

}  // namespace zivek::testing
