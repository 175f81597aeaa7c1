#pragma once

// The keys of finding and going to a line: Ctrl+F, F3 and Shift+F3, Ctrl+G wherever the
// focus is; and typing in the program's lines, which opens the bar it belongs to (a digit
// a line number, anything else a text to find) instead of the list's silent jump.

class QAbstractItemView;
class QWidget;

namespace zivek::backplot {

class FindBar;
class GoToLineBar;

void addSearchKeys(QWidget* window, QAbstractItemView* lines, FindBar* find, GoToLineBar* goTo);

}  // namespace zivek::backplot
