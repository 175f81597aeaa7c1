#pragma once

#include <QString>

class QWidget;

namespace zivek::windows {

inline constexpr char messageBoxTitle[] = "ZIVEK_TORNA";

// The one way the program reports a refusal: a box modal to the whole application,
// titled "ZIVEK_TORNA", with the text, one OK button and no icon. Returns when closed.
void showMessage(QWidget* over, const QString& text);

}  // namespace zivek::windows
