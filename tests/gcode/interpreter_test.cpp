// The worked example programs of the five operations, read back into tool paths.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "zivek/gcode/program_file.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

// Fixture files are read inside the tests, so a missing one fails a test, not start-up.
std::string file(const char* name) {
    return std::string("@") + name;
}

std::string programOf(const std::string& text) {
    if (text.empty() || text[0] != '@') return text;
    const LoadedProgram p =
        loadProgramFile(std::string(ZIVEK_TEST_PROGRAMS) + "/" + text.substr(1));
    EXPECT_EQ(p.status, LoadStatus::Ok) << text;
    return p.text;
}

// The smaller worked examples, in the form the output file holds them.
std::string crlf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* l : lines) text += std::string(l) + "\r\n";
    return text + "\r\n";
}

struct Example {
    const char* name;
    std::string text;
    std::size_t lines;
    std::size_t rapid;
    std::size_t feed;
    std::size_t passes;  // returns to the origin after the opening G0X0Y0
    Point min;
    Point max;
    double feedLength;
    double cuttingMinutes;
    double originSlack;  // roughing returns carry the length unrounded: 25.1234 vs 25.123
};

void PrintTo(const Example& e, std::ostream* os) {
    *os << e.name;
}

const double kTaperFlank = std::sqrt(1.0 + 1.2 * 1.2);  // one unit of U per 1.2 of W

// clang-format off
const Example kExamples[] = {
    // name, program, lines, rapid, feed, passes, min {z, x}, max {z, x}, feed length, minutes, slack
    {"internal_diameter", file("internal_diameter.nc"), 46, 25, 13, 12, {-60, 0}, {0, 12},
     720 + 12, 720 / 111.0 + 12 / 55.5, 0},
    {"external_diameter", file("external_diameter.nc"), 46, 25, 13, 12, {-60, -12}, {0, 0},
     720 + 12, 720 / 111.0 + 12 / 55.5, 0},
    {"facing", file("facing.nc"), 46, 25, 13, 12, {-12, -60}, {0, 0},
     720 + 12, 720 / 111.0 + 12 / 55.5, 0},
    {"external_taper", file("external_taper.nc"), 84, 51, 25, 25, {-30, -25}, {0, 0},
     325 * kTaperFlank, 325 * kTaperFlank / 111, 0},
    {"internal_taper", file("internal_taper.nc"), 87, 53, 26, 26, {-30, 0}, {0, 25},
     350 * kTaperFlank, 350 * kTaperFlank / 111, 0},
    {"internal_diameter_fractions",
     crlf({"M08", "M03", "S6", "G54", "G0X0Y0", "G0U.75", "G1W-25.123F80", "G0U-.75W25.1234",
           "G0U1.5", "G1W-25.123F80", "G0U-1.5W25.1234", "G0U2", "G1W-25.123F80", "U-2F40",
           "G0W25.123", "M05", "M30", "%"}),
     19, 7, 4, 3, {-25.123, 0}, {0.0008, 2}, 3 * 25.123 + 2, 3 * 25.123 / 80 + 2 / 40.0, 0.0009},
    {"facing_plunge_equals_depth",
     crlf({"M08", "M03", "S6", "G54", "G0X0Y0", "G0W-12", "G1U-60F111", "G0W12U60", "G0W-12",
           "G1U-60F111", "W12F55.5", "G0U60", "M05", "M30", "%"}),
     16, 5, 3, 2, {-12, -60}, {0, 0}, 132, 120 / 111.0 + 12 / 55.5, 0},
    {"external_taper_fractional_count",
     crlf({"M08", "M03", "S6", "G54", "G0X0Y0", "G0U-10", "G1U10W-12F111", "G0X0Z0", "G0U-20",
           "G1U20W-24F111", "G0X0Z0", "G0U-25", "G1U25W-30F111", "G0X0Z0", "M05", "M30", "%"}),
     18, 7, 3, 3, {-30, -25}, {0, 0}, 55 * kTaperFlank, 55 * kTaperFlank / 111, 0},
};
// clang-format on

class WorkedExample : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExample, MovesTotalsAndReach) {
    const Example& e = GetParam();
    const Toolpath path = interpret(programOf(e.text));
    const Summary& s = path.summary;
    EXPECT_TRUE(path.warnings.empty()) << path.warnings.front().word;
    EXPECT_EQ(path.lineCount, e.lines);
    EXPECT_EQ(s.rapidMoves, e.rapid);
    EXPECT_EQ(s.feedMoves, e.feed);
    EXPECT_NEAR(s.extent.min.z, e.min.z, 1e-9);
    EXPECT_NEAR(s.extent.min.x, e.min.x, 1e-9);
    EXPECT_NEAR(s.extent.max.z, e.max.z, 1e-9);
    EXPECT_NEAR(s.extent.max.x, e.max.x, 1e-9);
    EXPECT_NEAR(s.feedLength, e.feedLength, 1e-9);
    EXPECT_NEAR(s.cuttingMinutes, e.cuttingMinutes, 1e-9);
    EXPECT_EQ(s.feedMovesWithoutRate, 0u);
}

TEST_P(WorkedExample, EveryPassStartsAndEndsAtTheOrigin) {
    const Example& e = GetParam();
    const Toolpath path = interpret(programOf(e.text));
    ASSERT_FALSE(path.moves.empty());
    const Move& opening = path.moves.front();
    EXPECT_EQ(opening.line, 4u);
    EXPECT_EQ(opening.to, Point{});

    auto atOrigin = [&](Point p) {
        return std::abs(p.z) <= e.originSlack && std::abs(p.x) <= e.originSlack;
    };
    std::size_t returns = 0;
    for (std::size_t i = 1; i < path.moves.size(); ++i) {
        const Move& m = path.moves[i];
        if (atOrigin(m.to)) {
            ++returns;
            // A pass comes home by rapid, never by cutting across the part.
            EXPECT_EQ(m.kind, MoveKind::Rapid) << "line " << m.line + 1;
        }
        EXPECT_EQ(m.from, path.moves[i - 1].to) << "line " << m.line + 1;
    }
    EXPECT_EQ(returns, e.passes);
    EXPECT_TRUE(atOrigin(path.moves.back().to));
}

INSTANTIATE_TEST_SUITE_P(FiveOperations, WorkedExample, ::testing::ValuesIn(kExamples),
                         [](const auto& example) { return std::string(example.param.name); });

TEST(Interpreter, FeedInForceFollowsEachMove) {
    // The finishing pass's half feed applies to its own line only until F changes again.
    const Toolpath path = interpret("G0X0Y0\nG1W-60F111\nU-12F55.5\nW5\nG0W60\n");
    ASSERT_EQ(path.moves.size(), 5u);
    EXPECT_EQ(path.moves[1].feed, 111);
    EXPECT_EQ(path.moves[2].feed, 55.5);
    EXPECT_EQ(path.moves[3].feed, 55.5);
    EXPECT_EQ(path.moves[2].kind, MoveKind::Feed);  // no G word: G1 still in force
    EXPECT_EQ(path.moves[4].kind, MoveKind::Rapid);
    EXPECT_EQ(path.moves[2].to, (Point{-60, -12}));
}

TEST(Interpreter, FeedWithoutRateIsCountedButNotTimed) {
    const Toolpath path = interpret("G0X0Z0\nG1W-10\nG1W-10F0\nG1W-10F-5\nG1W-10F20\n");
    EXPECT_EQ(path.summary.feedMoves, 4u);
    EXPECT_EQ(path.summary.feedMovesWithoutRate, 3u);
    EXPECT_NEAR(path.summary.feedLength, 40, 1e-12);
    EXPECT_NEAR(path.summary.cuttingMinutes, 0.5, 1e-12);
    ASSERT_EQ(path.warnings.size(), 3u);
    for (const LineWarning& w : path.warnings) EXPECT_EQ(w.code, Warning::NoFeedRate);
}

}  // namespace
}  // namespace zivek::gcode
