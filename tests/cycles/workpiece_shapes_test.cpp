#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cycles/cycles.h"
#include "output/cycle.h"
#include "output/workpiece.h"

namespace zivek {
namespace {

// Each cycle's workpiece for one press, worked out by hand from its drawing: Z along the
// axis (negative toward the chuck), X across it, the origin where the tool was zeroed.
// The part's margin beyond the cut is half the larger of the depth and the length.
struct ShapeCase {
    const char* what;
    const Cycle& cycle;
    Parameters values;
    Workpiece expected;
};

Parameters straight(double depth, double length, double plunge) {
    Parameters values;
    values.turningDepth = depth;
    values.turningLength = length;
    values.plungeAmount = plunge;
    return values;
}

Parameters taper(double large, double small, double length, double plunge) {
    Parameters values;
    values.largeDiameter = large;
    values.smallDiameter = small;
    values.turningLength = length;
    values.plungeAmount = plunge;
    values.taperDepth = (large - small) / 2;
    return values;
}

std::vector<ShapeCase> cases() {
    return {
        {"outside: depth 2.0004 drawn as 2, length 10, margin 5; shoulder from the surface",
         externalDiameterCycle(),
         straight(2.0004, 10, 0.5),
         {{{{0, 0}, {0, -2}, {-10, -2}, {-10, 0}}},
          {{{0, -2}, {0, -7}, {-10, -7}, {-10, -2}}, {{-10, 0}, {-10, -7}, {-15, -7}, {-15, 0}}},
          {{0, 0}, {0, 0.501}, {0.501, 0.501}, {0.501, 0}}}},
        {"bore: depth 1.5, length 4, margin 2; the bottom across the whole bore",
         internalDiameterCycle(),
         straight(1.5, 4, 1),
         {{{{0, 0}, {0, 1.5}, {-4, 1.5}, {-4, 0}}},
          {{{0, 1.5}, {0, 3.5}, {-4, 3.5}, {-4, 1.5}}, {{-4, -2}, {-4, 3.5}, {-6, 3.5}, {-6, -2}}},
          {{0, 0}, {0, -1.001}, {1.001, -1.001}, {1.001, 0}}}},
        {"facing: depth 3 over length 2.0004 drawn as 2, margin 1.5; nothing past the axis",
         facingCycle(),
         straight(3, 2.0004, 1),
         {{{{0, 0}, {-3, 0}, {-3, -2}, {0, -2}}},
          {{{-3, 0}, {-4.5, 0}, {-4.5, -2}, {-3, -2}}},
          {{0, 0}, {1.001, 0}, {1.001, 1.001}, {0, 1.001}}}},
        {"outside taper: diameters 20.0006 and 14 give depth 3, length 8, margin 4",
         externalTaperCycle(),
         taper(20.0006, 14, 8, 0.5),
         {{{{0, 0}, {0, -3}, {-8, 0}}},
          {{{0, -3}, {-8, 0}, {-12, 0}, {-12, -7}, {0, -7}}},
          {{0, 0}, {0, 0.501}, {0.501, 0.501}, {0.501, 0}}}},
        {"inside taper: diameters 10 and 7 give depth 1.5 over length 1, margin 0.75",
         internalTaperCycle(),
         taper(10, 7, 1, 0.2),
         {{{{0, 0}, {0, 1.5}, {-1, 0}}},
          {{{0, 1.5}, {-1, 0}, {-1.75, 0}, {-1.75, 2.25}, {0, 2.25}}},
          {{0, 0}, {0, -0.201}, {0.201, -0.201}, {0.201, 0}}}},
    };
}

std::string text(const Outline& outline) {
    std::string out;
    for (const PlanePoint& point : outline) {
        out.append("(").append(std::to_string(point.z)).append(", ");
        out.append(std::to_string(point.x)).append(") ");
    }
    return out;
}

void expectOutline(const Outline& actual, const Outline& expected, const std::string& what) {
    SCOPED_TRACE(what + ": " + text(actual) + "against " + text(expected));
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].z, expected[i].z, 1e-9) << "corner " << i;
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << "corner " << i;
    }
}

void expectOutlines(const std::vector<Outline>& actual, const std::vector<Outline>& expected,
                    const std::string& what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i)
        expectOutline(actual[i], expected[i], what + " " + std::to_string(i));
}

TEST(WorkpieceShapes, MatchTheDrawingsAtTheirSizes) {
    for (const ShapeCase& c : cases()) {
        SCOPED_TRACE(c.what);
        const Workpiece workpiece = c.cycle.workpiece(c.values);
        expectOutlines(workpiece.material, c.expected.material, "material");
        expectOutlines(workpiece.part, c.expected.part, "part");
        expectOutline(workpiece.insert, c.expected.insert, "insert");
    }
}

}  // namespace
}  // namespace zivek
