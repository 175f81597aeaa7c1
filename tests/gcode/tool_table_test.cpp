// The shop's tool table: LinuxCNC's lines, insert codes, blades, drills and holders.

#include "zivek/gcode/tool_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace zivek::gcode {
namespace {

TEST(InsertCode, SizesAndNoseFromTheDigits) {
    struct Case {
        const char* code;
        char shape;
        double angle;
        double inscribed;
        double nose;
        bool inch;
    };
    const Case cases[] = {
        {"CNMG120408", 'C', 80, 12.7, 0.8, false},
        {"cnmg120412-PM", 'C', 80, 12.7, 1.2, false},
        {"DNMG150604", 'D', 55, 12.7, 0.4, false},
        {"DCMT11T304", 'D', 55, 9.525, 0.4, false},  // thickness T3: not six digits
        {"VNMG160404", 'V', 35, 9.525, 0.4, false},
        {"VBMT110302", 'V', 35, 6.35, 0.2, false},
        {"TNMG160408", 'T', 60, 9.525, 0.8, false},
        {"TNMG110408", 'T', 60, 6.35, 0.8, false},
        {"WNMG080408", 'W', 80, 12.7, 0.8, false},
        {"WNMG060404", 'W', 80, 9.525, 0.4, false},
        {"SNMG120400", 'S', 90, 12.7, 0.0, false},
        {"RCMT1204M0", 'R', 0, 12, 6, false},
        {"CNMG432", 'C', 80, 0.5, 1.0 / 32, true},
        {"DNMG431MF", 'D', 55, 0.5, 1.0 / 64, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const auto code = readInsertCode(c.code);
        if (std::string_view(c.code) == "DCMT11T304") {
            EXPECT_FALSE(code);  // ISO's letter thicknesses are not read
            continue;
        }
        ASSERT_TRUE(code);
        EXPECT_EQ(code->insert.kind, InsertKind::Turning);
        EXPECT_EQ(code->insert.shape, c.shape);
        EXPECT_EQ(code->insert.includedAngle, c.angle);
        EXPECT_NEAR(code->insert.inscribedCircle, c.inscribed, 1e-9);
        EXPECT_NEAR(code->noseRadius, c.nose, 1e-9);
        EXPECT_EQ(code->inch, c.inch);
    }
    for (const char* notACode :
         {"CNMG12", "XNMG120408", "CNMG1204081", "CNMG120408$", "C1MG120408"})
        EXPECT_FALSE(readInsertCode(notACode)) << notACode;
}

TEST(ToolTable, LinuxCncLinesAndOurWords) {
    const auto reading = readToolTable(
        "; dükkanın takımları\n"
        "T1 P1 Z0.5 X-0.1 D1.6 Q3 ;KABA DIŞ\n"
        "\n"
        "t2 cnmg 120408 q3 ; FINIS  \r\n"
        "T3 DNMG150604 D1.0 R0.2 Q2\n"  // R over D over the code
        "T4 DNMG150604 D1.0\n"          // D over the code
        "T5 GROOVE W3 R0.2 Q3\n"
        "T6 MATKAP D10 ;MATKAP 10\n"
        "T7 VNMG160404 HOLDER(0,0 -2,8 -2,30 12,30)\n"
        "T8 Y1 A2 I95 J155 W0.3 D0.4\n");  // LinuxCNC's other words: kept quiet
    EXPECT_TRUE(reading.faults.empty());
    const ToolTable& t = reading.table;
    ASSERT_EQ(t.tools.size(), 8u);

    const ToolEntry* one = t.find(1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->pocket, 1);
    EXPECT_EQ(one->zOffset, 0.5);
    EXPECT_EQ(one->xOffset, -0.1);
    EXPECT_EQ(one->noseRadius, 0.8);
    EXPECT_EQ(one->tip, 3);
    EXPECT_EQ(one->insert.kind, InsertKind::Unknown);
    EXPECT_EQ(one->description, "KABA DIŞ");

    EXPECT_EQ(t.find(2)->insert.shape, 'C');
    EXPECT_EQ(t.find(2)->noseRadius, 0.8);
    EXPECT_EQ(t.find(2)->description, "FINIS");
    EXPECT_EQ(t.find(3)->noseRadius, 0.2);
    EXPECT_EQ(t.find(4)->noseRadius, 0.5);
    EXPECT_EQ(t.find(5)->insert.kind, InsertKind::Grooving);
    EXPECT_EQ(t.find(5)->insert.width, 3);
    EXPECT_EQ(t.find(5)->noseRadius, 0.2);
    EXPECT_EQ(t.find(6)->insert.kind, InsertKind::Drill);
    EXPECT_EQ(t.find(6)->insert.width, 10);
    EXPECT_EQ(t.find(6)->noseRadius, 0);
    EXPECT_EQ(t.find(7)->holder, (std::vector<Point>{{0, 0}, {-2, 8}, {-2, 30}, {12, 30}}));
    EXPECT_EQ(t.find(8)->noseRadius, 0.2);
    EXPECT_FALSE(t.find(9));
}

TEST(ToolTable, FaultsNameTheLineAndKeepWhatReads) {
    const auto reading = readToolTable(
        "P3 D0.8\n"                 // no tool number: left out
        "T1.5 D0.8\n"               // not a whole number: left out
        "T2 Q10 D0.8\n"             // no such tip: the rest kept
        "T3 D-1 FOO HOLDER(1,2)\n"  // negative size, unknown word, a holder of one point
        "T4 CNMG12040\n"            // five digits: no insert
        "T2 D0.4\n");               // a later line replaces the earlier
    struct Expected {
        std::size_t line;
        ToolTableFaultKind kind;
        const char* word;
    };
    const Expected expected[] = {
        {1, ToolTableFaultKind::NoToolNumber, "P3"},
        {2, ToolTableFaultKind::BadNumber, "T1.5"},
        {2, ToolTableFaultKind::NoToolNumber, "T1.5"},
        {3, ToolTableFaultKind::BadNumber, "Q10"},
        {4, ToolTableFaultKind::BadNumber, "D-1"},
        {4, ToolTableFaultKind::UnknownWord, "FOO"},
        {4, ToolTableFaultKind::BadHolder, "HOLDER(1,2)"},
    };
    ASSERT_EQ(reading.faults.size(), std::size(expected) + 1);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(reading.faults[i].line, expected[i].line) << i;
        EXPECT_EQ(reading.faults[i].kind, expected[i].kind) << i;
        EXPECT_EQ(reading.faults[i].word, expected[i].word) << i;
    }
    EXPECT_EQ(reading.faults.back().line, 5u);
    ASSERT_EQ(reading.table.tools.size(), 3u);
    EXPECT_EQ(reading.table.find(2)->noseRadius, 0.2);
    EXPECT_EQ(reading.table.find(2)->tip, 0);
}

TEST(ToolTable, UnitsOfTheFileAndOfTheProgram) {
    // An ANSI code in a millimetre table, an ISO code in an inch table.
    const auto mm = readToolTable("T1 CNMG432\n").table;
    EXPECT_FALSE(mm.inch);
    EXPECT_NEAR(mm.find(1)->noseRadius, 25.4 / 32, 1e-12);
    EXPECT_NEAR(mm.find(1)->insert.inscribedCircle, 12.7, 1e-12);
    const auto inch = readToolTable("G20\nT1 CNMG120408 Z1\n").table;
    EXPECT_TRUE(inch.inch);
    EXPECT_NEAR(inch.find(1)->noseRadius, 0.8 / 25.4, 1e-12);

    const ToolEntry inMm = toolInUnits(*inch.find(1), true, false);
    EXPECT_NEAR(inMm.noseRadius, 0.8, 1e-12);
    EXPECT_NEAR(inMm.zOffset, 25.4, 1e-12);
    EXPECT_EQ(toolInUnits(*inch.find(1), true, true), *inch.find(1));
}

TEST(ToolTable, WrittenReadsBackTheSame) {
    const auto first = readToolTable(
        "G20\n"
        "T1 P1 Z0.5 X-0.1 D0.03125 Q3 ;KABA\n"
        "T2 CNMG432 Q3\n"
        "T3 DNMG150604 R0.01 Q2\n"
        "T5 GROOVE W0.125 Q3\n"
        "T6 DRILL D0.5\n"
        "T7 VNMG160404 HOLDER(0,0 -0.1,0.3 -0.1,1.2 0.5,1.2) ;İNCE\n");
    ASSERT_TRUE(first.faults.empty());
    const auto again = readToolTable(writeToolTable(first.table));
    EXPECT_TRUE(again.faults.empty());
    EXPECT_EQ(again.table, first.table) << writeToolTable(first.table);
}

TEST(ToolTable, FromAFile) {
    zivek::testing::TempFolder folder;
    const auto path = folder.path() / "takımlar.tbl";
    std::ofstream(path) << "T1 D0.8 Q3\n";
    EXPECT_EQ(readToolTableFile(path).table.find(1)->noseRadius, 0.4);
    const auto missing = readToolTableFile(folder.path() / "yok.tbl");
    ASSERT_EQ(missing.faults.size(), 1u);
    EXPECT_EQ(missing.faults[0].kind, ToolTableFaultKind::Unreadable);
    EXPECT_TRUE(missing.table.tools.empty());
}

}  // namespace
}  // namespace zivek::gcode
