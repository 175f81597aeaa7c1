#pragma once

// What the setup sheet says besides its plot, gathered from the program and its reading:
// the program's name and notes, how to set the machine up, the stock, and for this
// system's own programs the operation with the values typed into its window. Kept apart
// from the painting, so that tests read the sheet's words without a PDF.

#include <QString>
#include <QStringList>
#include <optional>

#include "viewer/reader_names.h"
#include "viewer/setup_sheet.h"

namespace zivek::backplot {

struct SheetFacts {
    QString title;      // "O1300  BURC - UC TAKIM", or the file's name when it has no number
    QStringList notes;  // the comment lines at the program's top
    QStringList setup;  // units, work offset and zero, spindle limit, surface speeds
    QString stockTitle;
    QStringList stock;
    QString operation;  // this system's programs: the operation's name
    QStringList typed;  // and its window's values
};

SheetFacts sheetFacts(const SheetContent& content);

// The stock as the sheet shows it. Today the wizard's material block, handed over with its
// program; a stock described for any program belongs here too. Empty: none is known.
QStringList stockLines(const SheetContent& content);

}  // namespace zivek::backplot
