#pragma once

#include <QLineEdit>
#include <QWidget>

namespace zivek::bench {

// The largest program a window accepts: 100,000 passes of the internal diameter cycle.
inline void typeLargestProgram(QWidget& form4) {
    form4.findChild<QLineEdit*>("Text3")->setText("100000");
}

}  // namespace zivek::bench
