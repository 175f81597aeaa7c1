#pragma once

#include <QString>

class QObject;

namespace zivek::windows {

// Makes the program's own controls known to assistive tools (screen readers): the
// picture buttons as buttons, the output box as an editable text. Called by those
// controls; installs once.
void installAccessibility();

// What the output box tells assistive tools, offsets in UTF-16 units. Each sends
// nothing unless a tool listens.
void tellReplaced(QObject* box, int at, const QString& removed, const QString& inserted);
void tellSelection(QObject* box, int from, int to, int caret);
void tellCaret(QObject* box, int caret);

}  // namespace zivek::windows
