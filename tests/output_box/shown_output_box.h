#pragma once

#include <QString>
#include <QTest>
#include <memory>

#include "output_box/output_box.h"

namespace zivek::testing {

// An output box of one size for every test, shown, active and holding the focus, so
// that keys, the mouse and the input method reach it as they reach Text1.
inline std::unique_ptr<windows::OutputBox> shownOutputBox(const QString& text) {
    auto box = std::make_unique<windows::OutputBox>();
    box->resize(257, 361);
    box->setPlainText(text);
    box->show();
    box->activateWindow();
    box->setFocus();
    if (!QTest::qWaitForWindowActive(box.get()))
        QTest::qFail("the output box never became the active window", __FILE__, __LINE__);
    return box;
}

}  // namespace zivek::testing
