#pragma once

// The setup sheet's commands in the window: a button whose menu keeps the sheet as a
// PDF (Ctrl+P) or sends it to a printer through the system's dialog (Ctrl+Shift+P).

#include <functional>

#include "viewer/setup_sheet.h"

class QMenu;
class QPrinter;
class QPushButton;
class QWidget;

namespace zivek::backplot {

// `content` is asked at each command; a sheet without a program is not made.
QPushButton* makeSheetButton(QWidget* window, std::function<SheetContent()> content);

// The sheet's commands of `sheetButton` in `menu` too ("Yazdır…" among them).
void addSheetToMenu(QPushButton* sheetButton, QMenu* menu);

// Where the sheet of a program is offered to be kept: beside it, named after it
// ("<program>-kurulum.pdf"); in the documents folder when the program's is not writable.
QString sheetFileFor(const QString& program);
// The print job's name and, where the file is the only choice, the file it proposes.
void nameSheetPrint(QPrinter& printer, const QString& program);

}  // namespace zivek::backplot
