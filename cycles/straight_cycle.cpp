#include "cycles/straight_cycle.h"

#include <string>

#include "output/control_names.h"
#include "output/line_writer.h"
#include "output/number_text.h"

namespace zivek {
namespace {

// Calls onRoughing(passDepth) for every roughing pass, in the arithmetic that decides
// the program, until it returns false or the passes reach turningDepth.
template <typename OnRoughing>
void forEachRoughingDepth(const Parameters& values, PassPlan plan, OnRoughing onRoughing) {
    do {
        if (!onRoughing(plan.passDepth)) return;
        plan.passDepth += values.plungeAmount;
    } while (!(plan.passDepth >= values.turningDepth));
}

// A line's raw text made once, for the parts of a pass that repeat unchanged.
template <typename Items>
std::string rawText(Items items) {
    LineWriter text;
    items(text);
    return std::string(text.buffered());
}

}  // namespace

const std::array<Box, 4> straightBoxes = {{
    {control::Text3, &Parameters::turningDepth},
    {control::Text2, &Parameters::turningLength},
    {control::Text4, &Parameters::plungeAmount},
    {control::Text5, &Parameters::feedRate},
}};

PassPlan prepareStraight(const Parameters& values) {
    PassPlan plan;
    plan.passDepth = values.plungeAmount;
    return plan;
}

std::uint64_t countStraightPasses(const Parameters& values, PassPlan plan, std::uint64_t limit) {
    std::uint64_t passes = 1;  // the finishing pass
    forEachRoughingDepth(values, plan, [&](double) { return ++passes <= limit; });
    return passes;
}

void writeStraightPasses(const StraightAxes& axes, const Parameters& values, PassPlan plan,
                         LineWriter& lines) {
    const double in = axes.infeedSign;
    const double length = round3(values.turningLength);
    const double depth = round3(values.turningDepth);
    const NumberText lengthText(length);
    // A pass is "G0", the infeed and its number; the line end, the travel line (the
    // same in every pass) and "G0", the infeed back and its number; the travel back,
    // the same again. The return travels the rounded length, as the cut did, so that
    // the tool is back exactly at the origin after every pass.
    const std::string travel = rawText([&](LineWriter& l) {
        l.word("G1").word(axes.travelAxis).number(-length, lengthText).word("F");
        l.number(values.feedRate).endLine();
    });
    const std::string rapidIn = "G0" + std::string(axes.infeedAxis);
    const Piece infeed(rapidIn);
    const Piece travelAndBack(std::string(lineEnd) + travel + rapidIn);
    const Piece travelBack(rawText(
        [&](LineWriter& l) { l.word(axes.travelAxis).number(length, lengthText).endLine(); }));
    forEachRoughingDepth(values, plan, [&](double passDepth) {
        // round3(passDepth) as its thousandths: the same sign and text, no division.
        const double pass = thousandthsOf(passDepth);
        const NumberText passText = NumberText::ofRound3(passDepth, pass);
        lines.piece(infeed).number(in * pass, passText);
        lines.piece(travelAndBack).number(-in * pass, passText).piece(travelBack);
        return true;
    });
    const NumberText depthText(depth);
    lines.word("G0").word(axes.infeedAxis).number(in * depth, depthText).endLine();
    lines.word(travel);
    lines.word(axes.infeedAxis)
        .number(-in * depth, depthText)
        .word("F")
        .number(values.feedRate / 2)
        .endLine();
    lines.word("G0").word(axes.travelAxis).number(length, lengthText).endLine();
}

}  // namespace zivek
