#pragma once

// The bar a program is cut from, when the program is not one of the wizard's (those
// carry their own workpiece): a bar or a tube, what stands in front of the finished face,
// and where the chuck's jaws begin. Lengths in the program's units; Z0 is the finished
// face, the bar lies toward -Z, X is a radius.
//
//   auto stock = readStockWords("D50 L80 F1 J30");        // the command line's words
//   auto found = stockFromComments(programText);          // (STOCK D50 L80) ...
//   Stock guessed = guessStock(path);                     // the smallest bar that holds it

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/convex_region.h"

namespace zivek::workpiece {

struct Stock {
    double diameter = 0;
    double length = 0;
    double bore = 0;           // a tube's inner diameter; 0 for a bar
    double faceAllowance = 0;  // material in front of Z0
    double jawLength = 0;      // from the bar's face to the jaws; 0 when not known
    friend bool operator==(const Stock&, const Stock&) = default;
};

// "D50 L80 B20 F1 J30", in any order, separated by blanks or commas; D and L are
// needed. Nothing for words it does not know or sizes that make no bar.
std::optional<Stock> readStockWords(std::string_view words);
// The same words back, shortest form: reads back as the same stock.
std::string stockWords(const Stock& stock);

// The stock a program names in a comment: "(STOCK D50 L80)", "(HAM PARCA D50 L80)" (also
// with Ç and a colon), and what CAM posts echo of their stock parameters:
// "(STOCK-DIAMETER 50)", "(STOCK-LENGTH 80)", "(STOCK-INNER-DIAMETER 20)", one a comment
// or together, with '=' or ':' or a blank before the number. The first complete one wins.
std::optional<Stock> stockFromComments(std::string_view program);

// The smallest common bar that holds every cutting move: the diameter rounded up to a
// bar size, the length to the deepest cut and a parting allowance. Of each feed the end
// nearer the axis (and the chuck) counts, since a feed into the bar starts in the air.
// Nothing without feeds.
std::optional<Stock> guessStock(const gcode::Toolpath& path);

// The stock as the cut takes it: the material, and the jaws (none when not known).
struct StockRegions {
    std::vector<ConvexRegion> material;
    std::vector<ConvexRegion> jaws;
};
StockRegions regionsOf(const Stock& stock);

}  // namespace zivek::workpiece
