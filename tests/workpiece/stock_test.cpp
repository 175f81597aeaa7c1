// The bar a program is cut from: from the command line's words, from the comments a
// program carries, and guessed from its cuts when it names none.

#include "zivek/workpiece/stock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zivek::workpiece {
namespace {

TEST(StockWords, ReadInAnyOrderAndBack) {
    struct Case {
        const char* words;
        std::optional<Stock> stock;
    };
    const Case cases[] = {
        {"D50 L80", Stock{50, 80, 0, 0, 0}},
        {"L80 D50 B20 F1 J30", Stock{50, 80, 20, 1, 30}},
        {"d50,l80.5 j30", Stock{50, 80.5, 0, 0, 30}},
        {"D 50 L 80", Stock{50, 80, 0, 0, 0}},
        {"D50", std::nullopt},          // no length
        {"D50 L80 B50", std::nullopt},  // a bore as wide as the bar
        {"D50 L80 X3", std::nullopt},   // a word it does not know
        {"D50 L80 F80", std::nullopt},  // nothing behind the face
        {"D-50 L80", std::nullopt},
        {"D50 L1e400", std::nullopt},  // not finite
        {"D5,0 L80", std::nullopt},    // a decimal comma is no number here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        EXPECT_EQ(readStockWords(c.words), c.stock);
        if (c.stock) {
            EXPECT_EQ(readStockWords(stockWords(*c.stock)), c.stock);
        }
    }
}

TEST(StockComments, ReadEachForm) {
    struct Case {
        const char* program;
        std::optional<Stock> stock;
    };
    const Case cases[] = {
        {"%\nO1000\n(STOCK D50 L80)\nG0 X52 Z2\n", Stock{50, 80, 0, 0, 0}},
        {"(stock: D50 L80 B20)\n", Stock{50, 80, 20, 0, 0}},
        {"(HAM PARCA D40 L60 F0.5 J25)\n", Stock{40, 60, 0, 0.5, 25}},
        {"(HAM PARÇA D40 L60)\n", Stock{40, 60, 0, 0, 0}},
        {"; ham parça: D40 L60\n", Stock{40, 60, 0, 0, 0}},
        // What Fusion 360's and HSMWorks' turning posts name their stock parameters
        // ("stock-diameter", "stock-length"), echoed as comments, together or apart.
        {"(STOCK-DIAMETER=50)\n(STOCK-LENGTH=80)\n", Stock{50, 80, 0, 0, 0}},
        {"(STOCK-DIAMETER 50 STOCK-LENGTH 80 STOCK-INNER-DIAMETER 20)\n", Stock{50, 80, 20, 0, 0}},
        {"(STOCKER D50 L80)\n", std::nullopt},                       // another word
        {"(STOCK D50)\n(STOCK D60 L90)\n", Stock{60, 90, 0, 0, 0}},  // the first complete
        {"(STOCK-DIAMETER=50)\n", std::nullopt},                     // no length anywhere
        {"G0 X50 Z80 (D50 L80)\n", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(stockFromComments(c.program), c.stock);
    }
}

TEST(GuessedStock, IsTheSmallestCommonBarThatHoldsEveryCut) {
    struct Case {
        const char* program;
        std::optional<Stock> stock;
    };
    // Diameter mode (G7): the roughing pass at 47 fits a bar of 50; the approach from 52
    // and the facing from 52 start in the air. Length: the facing pass at Z0.5 (a feed
    // to the axis) is the face allowance, the approach at Z2 is air; then the pass to
    // Z-35 and 5 to part off.
    const Case cases[] = {
        {"G18 G21 G7\nG0 X52 Z0.5\nG1 X-1 F0.2\nG0 X52 Z2\nG1 X47\nZ-35\nX52\n",
         Stock{50, 40.5, 0, 0.5, 0}},
        {"G18 G21 G7\nG0 X40 Z2\nG1 X36.2 Z0 F0.2\nZ-20\nX40\n", Stock{40, 25, 0, 0, 0}},
        // Inches: eighths of an inch, and 0.2 to part off.
        {"G18 G20 G7\nG0 X1.2 Z0.1\nG1 X0.9 Z0 F0.01\nZ-1\nX1.2\n", Stock{1, 1.2, 0, 0, 0}},
        {"G18 G21 G7\nG0 X52 Z2\nX30\n", std::nullopt},  // no feeds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const auto stock = guessStock(gcode::interpret(c.program));
        ASSERT_EQ(stock.has_value(), c.stock.has_value());
        if (!stock) continue;
        EXPECT_DOUBLE_EQ(stock->diameter, c.stock->diameter);
        EXPECT_NEAR(stock->length, c.stock->length, 1e-9);
        EXPECT_NEAR(stock->faceAllowance, c.stock->faceAllowance, 1e-9);
    }
}

TEST(StockRegions, PlaceTheBarAndTheJaws) {
    const StockRegions regions = regionsOf(Stock{50, 80, 20, 1, 30});
    ASSERT_EQ(regions.material.size(), 1u);
    EXPECT_EQ(regions.material[0].low, (Point{-79, 10}));
    EXPECT_EQ(regions.material[0].high, (Point{1, 25}));
    ASSERT_EQ(regions.jaws.size(), 1u);
    EXPECT_EQ(regions.jaws[0].high.z, -29);  // 30 from the bar's face at Z1
    EXPECT_EQ(regions.jaws[0].low.x, 25);
    EXPECT_TRUE(regionsOf(Stock{50, 80, 0, 0, 0}).jaws.empty());
}

}  // namespace
}  // namespace zivek::workpiece
