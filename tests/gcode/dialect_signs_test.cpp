// What each sign of a control says, alone and together, and the reasons the reader gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/summary_json.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

using S = DialectSign;

std::string reasonsOf(const Toolpath& path) {
    std::string out;
    for (const DialectSign s : path.dialectChoice.reasons)
        out += std::string(dialectSignKey(s)) + " ";
    return out;
}

bool gave(const Toolpath& path, DialectSign sign) {
    const auto& r = path.dialectChoice.reasons;
    return std::find(r.begin(), r.end(), sign) != r.end();
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::filesystem::path kPrograms(ZIVEK_TEST_PROGRAMS);

TEST(DialectSigns, EachSignAloneGivesItsControl) {
    struct Case {
        const char* program;
        Dialect dialect;
        DialectSign sign;
    };
    const Dialect F = Dialect::Fanuc, L = Dialect::LinuxCnc, G = Dialect::Generic;
    const Case cases[] = {
        {"O1234\nG0 X20 Z2\nG1 Z-10 F0.2\n", F, S::ProgramNumber},
        {"%O1200\nG0 X20 Z2\nG1 Z-10 F0.2\n", F, S::ProgramNumber},
        {"%\n(PART 7)\nO0007 (FLANGE)\nG0 X20 Z2\n", F, S::ProgramNumber},
        {"G50 S2000\nG0 X20 Z2\n", F, S::SpindleLimit},
        {"G92 S500\nG0 X20 Z2\n", F, S::SpindleLimit},
        {"G50 X200 Z100\nG0 X20 Z2\n", F, S::PositionSetting},
        {"G0 X20 Z2\nG32 Z-20 F1.5\n", F, S::ThreadLeadInF},
        {"G0 X20 Z2\nG33 Z-20 F1.5\n", F, S::ThreadLeadInF},
        {"G99\nG0 X20 Z2\nG1 Z-10 F0.2\n", F, S::FeedModeG98G99},
        {"G95\nG0 X20 Z2\nG1 Z-10 F0.2\n", F, S::FeedPerRevolutionG95},
        {"T0101\nG0 X20 Z2\n", F, S::ToolWithOffset},
        {"G0 X20 Z2\nM98 P1000\n", F, S::SubprogramCall},
        {"G0 X22 Z2\nG92 X19 Z-20 F1.5\n", F, S::ThreadCycleG92},
        {"G0 X50 Z2\nG71 U2 R0.5\n", F, S::CycleInTwoBlocks},
        {"G28 U0 W0\nG0 X20 Z2\n", F, S::HomeByIncrement},
        {"G0 X52 Z0\nG1 X-0.5 F0.2\n", F, S::FacingPastCentre},
        // From X30 to X40 with R5: 5 and 5 apart as diameters, 10 and 5 as radii.
        {"G0 X30 Z0\nG3 X40 Z-5 R5 F0.1\n", F, S::XAsDiameter},
        {"G0 X30 Z0\nG3 X40 Z-5 I0 K-5 F0.1\n", F, S::XAsDiameter},
        {"G0 X15 Z0\nG3 X20 Z-5 I0 K-5 F0.1\n", G, S::XAsRadius},
        {"G0 U1\nG1 W-10 F100\n", G, S::MoveFromWorkZero},
        {"M08\nM03\nS6\nG54\nG0X0Y0\nG1W-1F50\n", G, S::WizardOpening},
        {"G7\nG0 X20 Z2\n", L, S::DiameterModeCode},
        {"G64 P0.01\nG0 X20 Z2\n", L, S::PathControl},
        {"G0 X30 Z5\nG76 P2 Z-20 I-1 J0.2 K1.3\n", L, S::G76WithIJ},
        {"G0 X30 Z5\nG71 Q100 D1\n", L, S::CycleOnSubroutine},
        {"T1 M6\nG0 X20 Z2\n", L, S::ToolChangeM6},
        {"#<depth> = 2\nG0 X20 Z2\n", L, S::NamedParameter},
        {"o100 sub\nG1 X10\no100 endsub\n", L, S::OWord},
        {"G41.1 D0.8 L3\nG0 X20 Z2\n", L, S::NoseFromTool},
        {"G96 S200 D2000\nG0 X20 Z2\n", L, S::SpindleLimitByD},
        {"G8\nG0 X20 Z2\n", L, S::DiameterModeCode},
        {"G61\nG0 X20 Z2\n", L, S::PathControl},
        {"G0 X30 Z5\nG72 Q100 D1\n", L, S::CycleOnSubroutine},
        {"G0 X30 Z5\nG76 P2 Z-20 J0.2 K1.3\n", L, S::G76WithIJ},
        {"G0 X10 Z5\nG98 G81 X0 Z-10 R2 F100\n", L, S::RetractLevel},
        {"M73\nG0 X20 Z2\n", L, S::ModesSaved},
        {"G98\nG0 X20 Z2\nG1 Z-10 F100\n", F, S::FeedModeG98G99},
        {"G0 X30 Z5\nG71 P10 Q20 U0.5 W0.1 D1 F0.2\n", F, S::CycleInTwoBlocks},
        {"G0 X30 Z5\nG72 W2 R0.5\n", F, S::CycleInTwoBlocks},
        {"G0 X30 Z5\nG76 P010060 Q100 R0.05\n", F, S::CycleInTwoBlocks},
        {"G0 X52 Z0\nG1 X-2 F0.2\n", F, S::FacingPastCentre},
        // the opening as Windows ends its lines, and with blanks after its words
        {"M08\r\nM03\r\nS6\r\nG54\r\nG0X0Y0\r\nG1W-1F50\r\n", G, S::WizardOpening},
        {"M08\nM03\nS6\nG54 \nG0X0Y0 \nG1W-1F50\n", G, S::WizardOpening},
    };
    for (const Case& c : cases) {
        const Toolpath path = interpret(c.program);
        EXPECT_EQ(path.dialect, c.dialect) << c.program << reasonsOf(path);
        EXPECT_TRUE(gave(path, c.sign)) << c.program << reasonsOf(path);
        EXPECT_FALSE(path.dialectChoice.chosenByHand);
    }
}

// The shape of a CAM program for a Fanuc lathe: program number, spindle limit by G92 S,
// feed per revolution by G95, facing past the centre, a corner arc and a G33 thread with
// its lead in F.
const std::string kCamProgram = readFile(kPrograms / "fanuc" / "o1200_cam.nc");

TEST(DialectSigns, CamProgramIsReadAsFanucWithItsReasons) {
    const Toolpath path = interpret(kCamProgram);
    EXPECT_EQ(path.dialect, Dialect::Fanuc);
    EXPECT_TRUE(path.diameterMode);
    EXPECT_FALSE(path.dialectChoice.doubtful);
    for (const DialectSign s : {S::ProgramNumber, S::SpindleLimit, S::ThreadLeadInF,
                                S::FeedPerRevolutionG95, S::FacingPastCentre, S::XAsDiameter})
        EXPECT_TRUE(gave(path, s)) << dialectSignKey(s) << ": " << reasonsOf(path);
    // The heaviest first.
    ASSERT_FALSE(path.dialectChoice.reasons.empty());
    EXPECT_EQ(path.dialectChoice.reasons.front(), S::ProgramNumber);
    for (const LineWarning& w : path.warnings) EXPECT_NE(w.code, Warning::BadArc) << w.line;
    // The corner arc ends at a radius of 25, not 50.
    EXPECT_EQ(path.summary.cutExtent.max.x, 26.0);
}

TEST(DialectSigns, LittleOrNoEvidenceIsDoubtful) {
    struct Case {
        const char* program;
        bool doubtful;
    };
    const Case cases[] = {
        {"G0 X10 Z5\nG1 Z-10 F100\n", true},     // no sign
        {"T0101\nG0 X20 Z2\n", true},            // one hint
        {"T0101\nT1 M6\nG0 X20 Z2\n", true},     // one each way
        {"G50 S2000\nG0 X20 Z2\n", false},       // one proof
        {"T0101\nG99\nG0 X20 Z2\n", false},      // two hints
        {"M08\nM03\nS6\nG54\nG0X0Y0\n", false},  // the wizard's opening
        // not the opening: Y named before G54, or after the opening's lines
        {"G0X0Y0\nG54\nG0 X20 Z2\n", true},
        {"G0 X20\nG0 X20\nG0 X20\nG0 X20\nG0 X20\nG0 X20\nG0 X20\nG0 X20\nG0 X20\nG0 X20\n"
         "G0 X20\nG54\nG0X0Y0\n",
         true},
        {"G0 X52 Z0\nG1 X-2.5 F0.2\n", true},  // past the centre by more than a facing pass
    };
    for (const Case& c : cases)
        EXPECT_EQ(interpret(c.program).dialectChoice.doubtful, c.doubtful) << c.program;
    const Toolpath none = interpret(cases[0].program);
    EXPECT_EQ(none.dialect, Dialect::Generic);
    EXPECT_TRUE(none.dialectChoice.reasons.empty());
    // A feed across the centre that also moves along Z is no facing pass: no sign either.
    const Toolpath across = interpret("G0X0Z0\nG0 X-2 Z3\nG1 X-2 Z-1 F100\n");
    EXPECT_EQ(across.dialect, Dialect::Generic);
    EXPECT_TRUE(across.dialectChoice.reasons.empty());
    // Chosen by hand: no reasons, no doubt.
    const Toolpath given = interpret(kCamProgram, zivek::testing::readingAs(Dialect::Generic));
    EXPECT_TRUE(given.dialectChoice.chosenByHand);
    EXPECT_FALSE(given.dialectChoice.doubtful);
    EXPECT_TRUE(given.dialectChoice.reasons.empty());
}

// The wizard's programs, LinuxCNC's and Fanuc's, each read as its own control by detection alone.
TEST(DialectSigns, CorpusIsReadAsTheControlItWasWrittenFor) {
    const std::filesystem::path& root = kPrograms;
    struct Folder {
        std::filesystem::path path;
        const char* extension;
        Dialect dialect;
    };
    std::size_t read = 0;
    for (const Folder& f : {Folder{root, ".nc", Dialect::Generic},
                            Folder{root / "linuxcnc", ".ngc", Dialect::LinuxCnc},
                            Folder{root / "fanuc", ".nc", Dialect::Fanuc}}) {
        for (const auto& entry : std::filesystem::directory_iterator(f.path)) {
            if (entry.path().extension() != f.extension) continue;
            const Toolpath path = interpret(readFile(entry.path()));
            EXPECT_EQ(path.dialect, f.dialect) << entry.path() << ": " << reasonsOf(path);
            EXPECT_FALSE(path.dialectChoice.reasons.empty()) << entry.path();
            ++read;
        }
    }
    EXPECT_GT(read, 50u);
}

}  // namespace
}  // namespace zivek::gcode
