#include "cycles/straight_cycle.h"

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
    // The travel line is the same in every pass.
    LineWriter travel;
    travel.word("G1")
        .word(axes.travelAxis)
        .number(-length, lengthText)
        .word("F")
        .number(values.feedRate)
        .endLine();
    forEachRoughingDepth(values, plan, [&](double passDepth) {
        const double pass = round3(passDepth);
        const NumberText passText(pass);
        lines.word("G0").word(axes.infeedAxis).number(in * pass, passText).endLine();
        lines.line(travel.buffered());
        // The return travels the rounded length, as the cut did, so that the tool is
        // back exactly at the origin after every pass.
        lines.word("G0")
            .word(axes.infeedAxis)
            .number(-in * pass, passText)
            .word(axes.travelAxis)
            .number(length, lengthText)
            .endLine();
        return true;
    });
    const NumberText depthText(depth);
    lines.word("G0").word(axes.infeedAxis).number(in * depth, depthText).endLine();
    lines.line(travel.buffered());
    lines.word(axes.infeedAxis)
        .number(-in * depth, depthText)
        .word("F")
        .number(values.feedRate / 2)
        .endLine();
    lines.word("G0").word(axes.travelAxis).number(length, lengthText).endLine();
}

}  // namespace zivek
