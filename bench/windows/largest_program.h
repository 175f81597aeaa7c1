#pragma once

#include <QLineEdit>
#include <QWidget>

#include "output/control_names.h"

namespace zivek::bench {

// The largest program a window accepts: 100,000 passes of the internal diameter cycle.
inline void typeLargestProgram(QWidget& form4) {
    form4.findChild<QLineEdit*>(control::Text3)->setText("100000");
}

}  // namespace zivek::bench
