// The part drawn at its true shape: a chamfer at its angle and an arc round on the
// screen, whether the program writes X as a diameter or a radius, and at either turn.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "viewer/reader_names.h"
#include "viewer/screen_segments.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {
namespace {

// A 45° chamfer from Ø30 to Ø40 over 5 in Z, a straight to Z-20, then an R5 arc out to
// Ø50: the same part written both ways.
struct Written {
    const char* name;
    Dialect dialect;
    const char* program;
    double xLabelScale;  // the program's X of a radius
};
const Written kWritten[] = {
    {"fanuc-diameter", Dialect::Fanuc,
     "T0101\nG0 X30. Z0.\nG1 X40. Z-5. F0.2\nZ-20.\nG2 X50. Z-25. R5.\n", 2},
    {"linuxcnc-radius", Dialect::LinuxCnc,
     "G8 G18\nG0 X15 Z0\nG1 X20 Z-5 F100\nZ-20\nG2 X25 Z-25 R5\nM2\n", 1},
};

Toolpath read(const Written& w) {
    ReadOptions options;
    options.autoDialect = false;
    options.dialect = w.dialect;
    return interpret(w.program, options);
}

// The view the plot shows the whole path in, 900 by 500 pixels.
Viewport fitted(const Toolpath& path, bool upright) {
    Viewport view;
    view.setSize(900, 500);
    view.setUpright(upright);
    view.setXLabelScale(path.xScale());
    view.fit(path.summary.extent, {40, 40, 40, 40});
    return view;
}

double degrees(const ScreenSegment& s) {
    return std::atan2(std::abs(s.y2 - s.y1), std::abs(s.x2 - s.x1)) * 180 / std::numbers::pi;
}

TEST(TrueShape, ChamferAndArcKeepTheirShapeOnScreen) {
    for (const Written& w : kWritten) {
        const Toolpath path = read(w);
        ASSERT_EQ(path.xScale(), w.xLabelScale) << w.name;
        ASSERT_EQ(path.moves.size(), 4u) << w.name;
        ASSERT_TRUE(path.moves[3].is(kArc)) << w.name;
        for (const bool upright : {false, true}) {
            SCOPED_TRACE(std::string(w.name) + (upright ? " upright" : ""));
            const Viewport view = fitted(path, upright);
            ScreenSegments drawn;
            drawn.build(path, view);
            // The chamfer is the first feed drawn; the straight the second; the arc the rest.
            const auto& feed = drawn.feed();
            ASSERT_GT(feed.size(), 4u);
            EXPECT_NEAR(degrees(feed[0]), 45, 0.5);
            EXPECT_NEAR(degrees(feed[1]), upright ? 90 : 0, 1e-9);
            const ScreenPoint centre = view.toScreen(path.arcOf(3)->center);
            const double radius = 5 * view.scale();
            for (std::size_t i = 2; i < feed.size(); ++i) {
                EXPECT_NEAR(std::hypot(feed[i].x1 - centre.x, feed[i].y1 - centre.y), radius, 0.5);
                EXPECT_NEAR(std::hypot(feed[i].x2 - centre.x, feed[i].y2 - centre.y), radius, 0.5);
            }
        }
    }
}

TEST(TrueShape, TheXValuesAreNamedInTheProgramsTerms) {
    for (const Written& w : kWritten) {
        SCOPED_TRACE(w.name);
        const Toolpath path = read(w);
        for (const bool upright : {false, true}) {
            const Viewport view = fitted(path, upright);
            // X runs up the screen, or across when upright; Z the other way.
            const bool xAcross = upright;
            const Point chamferEnd = path.moves[1].to;  // Ø40, radius 20
            EXPECT_DOUBLE_EQ(view.along(xAcross, chamferEnd), 20 * w.xLabelScale);
            EXPECT_DOUBLE_EQ(view.along(!xAcross, chamferEnd), -5);
            // The grid line named Ø40 (or 20) lies where the tool is at radius 20.
            const ScreenPoint line = view.toScreen(view.onAxis(xAcross, 20 * w.xLabelScale));
            const ScreenPoint tool = view.toScreen(chamferEnd);
            EXPECT_NEAR(upright ? line.x : line.y, upright ? tool.x : tool.y, 1e-9);
        }
    }
}

// The same part in both programs lands on the same pixels: only the names differ.
TEST(TrueShape, DiameterAndRadiusProgramsDrawTheSamePart) {
    const Toolpath diameter = read(kWritten[0]);
    const Toolpath radius = read(kWritten[1]);
    for (const bool upright : {false, true}) {
        const Viewport a = fitted(diameter, upright);
        const Viewport b = fitted(radius, upright);
        for (std::size_t i = 0; i < diameter.moves.size(); ++i) {
            const ScreenPoint p = a.toScreen(diameter.moves[i].to);
            const ScreenPoint q = b.toScreen(radius.moves[i].to);
            EXPECT_NEAR(p.x, q.x, 1e-9) << "move " << i;
            EXPECT_NEAR(p.y, q.y, 1e-9) << "move " << i;
        }
    }
}

}  // namespace
}  // namespace zivek::backplot
