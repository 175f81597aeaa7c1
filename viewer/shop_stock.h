#pragma once

// The bar a program that is not the wizard's is cut from, and what the window says of
// it: the one given for its file (the command line, the "Ham parça" dialog), else the one
// its comments name, else the smallest bar that holds its cuts, marked as guessed.

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/reader_names.h"

namespace zivek::backplot {

enum class StockSource { Given, Comment, Guessed };

struct StockInUse {
    Stock stock;
    StockSource source = StockSource::Guessed;
};

std::optional<StockInUse> stockFor(const std::optional<Stock>& given, std::string_view program,
                                   const Toolpath& path);

// The tool each move cuts with, from the reader's tool changes.
std::vector<ToolFrom> toolChangesOf(const Toolpath& path);

// "Ham parça: Ø50 × 80 (programdaki açıklamadan)", with the tools the table lacks; in
// detail (for its tooltip) with why a bar was guessed and how a missing insert is drawn.
QString stockLineText(const StockInUse& use, bool inch, const std::vector<int>& missingTools,
                      bool haveTable, bool detailed = false);

// For --summary with --stock or --tools: the bar and what its cut found, as JSON members
// to close the summary's object with (",\n  \"stock\": ...").
std::string stockSummaryJson(const StockInUse& use, const WorkpieceCut& cut);

// `--stock D50 L80 B20`: the words after --stock joined into its one value, so that the
// option reads as the user writes it and the words are not taken for file names.
QStringList joinStockWords(const QStringList& arguments);

}  // namespace zivek::backplot
