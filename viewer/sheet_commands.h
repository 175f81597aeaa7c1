#pragma once

// The setup sheet's commands in the window: a button whose menu keeps the sheet as a
// PDF (Ctrl+P) or sends it to a printer through the system's dialog (Ctrl+Shift+P).

#include <functional>

#include "viewer/setup_sheet.h"

class QPushButton;
class QWidget;

namespace zivek::backplot {

// `content` is asked at each command; a sheet without a program is not made.
QPushButton* makeSheetButton(QWidget* window, std::function<SheetContent()> content);

// Where the sheet of a program is offered to be kept: beside it, named after it.
QString sheetFileFor(const QString& program);

}  // namespace zivek::backplot
