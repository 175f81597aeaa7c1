// The plot's arithmetic: where the path lands on screen and how much of it is drawn.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "viewer/screen_segments.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {
namespace {

Viewport sized(double w, double h) {
    Viewport v;
    v.setSize(w, h);
    return v;
}

TEST(Viewport, FitShowsTheExtentWithZLeftAndXUp) {
    Viewport v = sized(800, 600);
    Extent e;
    e.add({-60, 0});
    e.add({0, 12});
    v.fit(e, {40, 40, 40, 40});
    const ScreenPoint chuckSide = v.toScreen({-60, 0});
    const ScreenPoint origin = v.toScreen({0, 0});
    const ScreenPoint top = v.toScreen({0, 12});
    EXPECT_LT(chuckSide.x, origin.x);    // negative Z to the left
    EXPECT_LT(top.y, origin.y);          // positive X up
    EXPECT_NEAR(chuckSide.x, 40, 1e-9);  // the long side fills the width
    EXPECT_NEAR(origin.x, 760, 1e-9);
    EXPECT_NEAR(origin.y - top.y, 12 * v.scale(), 1e-9);  // one scale for both axes
    EXPECT_NEAR((origin.y + top.y) / 2, 300, 1e-9);       // centred across
}

TEST(Viewport, FitCentresInTheFreeArea) {
    Viewport v = sized(800, 600);
    Extent e;
    e.add({-30, -25});
    e.add({0, 0});
    v.fit(e, {60, 10, 10, 30});  // rulers on the left and at the bottom
    const ScreenPoint lowLeft = v.toScreen({-30, -25});
    const ScreenPoint topRight = v.toScreen({0, 0});
    EXPECT_NEAR(lowLeft.y, 570, 1e-9);  // the tall side fills the height
    EXPECT_NEAR(topRight.y, 10, 1e-9);
    EXPECT_NEAR((lowLeft.x + topRight.x) / 2, 60 + 730 / 2.0, 1e-9);
}

TEST(Viewport, DegenerateExtentsStillGiveAUsableScale) {
    for (const Point far : {Point{0, 0}, Point{-50, 0}, Point{0, 7}}) {
        Viewport v = sized(800, 600);
        Extent e;
        e.add({0, 0});
        e.add(far);
        v.fit(e, {40, 40, 40, 40});
        EXPECT_TRUE(std::isfinite(v.scale()) && v.scale() > 0);
        const ScreenPoint s = v.toScreen(far);
        EXPECT_TRUE(s.x >= 0 && s.x <= 800 && s.y >= 0 && s.y <= 600);
    }
}

TEST(Viewport, ZoomKeepsThePointUnderThePointer) {
    Viewport v = sized(800, 600);
    Extent e;
    e.add({-30, -25});
    e.add({0, 0});
    v.fit(e, {40, 40, 40, 40});
    const ScreenPoint pointer{123, 456};
    const Point under = v.toModel(pointer);
    for (const double factor : {1.25, 0.8, 40.0, 1e-3}) {
        v.zoom(factor, pointer);
        const Point after = v.toModel(pointer);
        EXPECT_NEAR(after.z, under.z, 1e-9);
        EXPECT_NEAR(after.x, under.x, 1e-9);
    }
}

TEST(Viewport, PanMovesThePictureWithThePointer) {
    Viewport v = sized(800, 600);
    const ScreenPoint before = v.toScreen({3, 4});
    v.pan(25, -10);
    const ScreenPoint after = v.toScreen({3, 4});
    EXPECT_NEAR(after.x - before.x, 25, 1e-9);
    EXPECT_NEAR(after.y - before.y, -10, 1e-9);
}

TEST(GridStep, OneTwoFive) {
    struct Case {
        double scale, minPixels, step;
    };
    for (const Case c : {Case{10, 70, 10}, Case{10, 101, 20}, Case{1, 300, 500},
                         Case{1000, 70, 0.1}, Case{7, 70, 10}}) {
        EXPECT_DOUBLE_EQ(gridStep(c.scale, c.minPixels), c.step) << c.scale << " " << c.minPixels;
    }
}

TEST(ClipSegment, Cases) {
    struct Case {
        ScreenSegment in;
        bool kept;
        ScreenSegment out;
    };
    const Case cases[] = {
        {{10, 10, 20, 20}, true, {10, 10, 20, 20}},
        {{-50, 50, 150, 50}, true, {0, 50, 100, 50}},
        {{50, -100, 50, 50}, true, {50, 0, 50, 50}},
        {{-10, -10, -5, 200}, false, {}},
        {{-10, 120, 120, -10}, true, {10, 100, 100, 10}},
    };
    for (const Case& c : cases) {
        ScreenSegment s = c.in;
        ASSERT_EQ(clipSegment(s, 0, 0, 100, 100), c.kept) << c.in.x1 << "," << c.in.y1;
        if (!c.kept) continue;
        EXPECT_NEAR(s.x1, c.out.x1, 1e-9);
        EXPECT_NEAR(s.y1, c.out.y1, 1e-9);
        EXPECT_NEAR(s.x2, c.out.x2, 1e-9);
        EXPECT_NEAR(s.y2, c.out.y2, 1e-9);
    }
}

// 20,000 passes a thousandth apart: drawn once per pixel row, not once per pass.
std::string densePasses() {
    std::string text = "G0X0Y0\n";
    for (int i = 1; i <= 20000; ++i) {
        const std::string d = std::to_string(i * 0.0006);
        text += "G0U" + d + "\nG1W-60F111\nG0U-" + d + "W60\n";
    }
    return text;
}

TEST(ScreenSegments, DensePassesCollapseToScreenRows) {
    const Toolpath path = interpret(densePasses());
    Viewport v = sized(800, 600);
    v.fit(path.summary.extent, {40, 40, 40, 40});
    ScreenSegments s;
    s.build(path.moves, v);
    // The feed passes span 12 units over at most 520 pixel rows.
    EXPECT_GT(s.feed().size(), 100u);
    EXPECT_LE(s.feed().size(), 600u);
    EXPECT_LE(s.rapid().size(), 2 * 600u + 1);
}

TEST(ScreenSegments, OnlyWhatIsOnScreenIsKept) {
    const Toolpath path = interpret("G0X0Y0\nG1W-10F1\nG0W-1000\nG1U10\n");
    Viewport v = sized(200, 200);
    Extent e;
    e.add({-10, -1});
    e.add({0, 1});
    v.fit(e, {10, 10, 10, 10});
    ScreenSegments s;
    s.build(path.moves, v);
    ASSERT_EQ(s.feed().size(), 1u);   // the cut at Z-1010 is far off screen
    ASSERT_EQ(s.rapid().size(), 2u);  // G0X0Y0 as a point, and the long rapid, clipped
    for (const ScreenSegment& seg : s.rapid())
        for (const double c : {seg.x1, seg.x2}) EXPECT_TRUE(c >= -5 && c <= 205) << c;
}

TEST(ScreenSegments, ArcsAreDrawnAsShortChords) {
    // A whole circle of radius 10 about Z-10 X0, seen at 10 pixels a unit.
    const Toolpath path = interpret("G0 X0 Z0\nG3 X0 Z0 I0 K-10 F1\n");
    ASSERT_EQ(path.arcs.size(), 1u);
    Viewport v = sized(400, 400);
    Extent e;
    e.add({-25, -15});
    e.add({5, 15});
    v.fit(e, {0, 0, 0, 0});
    ScreenSegments s;
    s.build(path, v);
    // Chords within half a pixel of a circle 2π·r·scale long need at least this many.
    EXPECT_GT(s.feed().size(), 30u);
    const ScreenPoint c = v.toScreen({-10, 0});
    for (const ScreenSegment& seg : s.feed()) {
        const double mx = (seg.x1 + seg.x2) / 2 - c.x, my = (seg.y1 + seg.y2) / 2 - c.y;
        EXPECT_NEAR(std::hypot(mx, my), 10 * v.scale(), 0.6);
    }
}

}  // namespace
}  // namespace zivek::backplot
