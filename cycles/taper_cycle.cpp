#include "cycles/taper_cycle.h"

#include <string>

#include "output/control_names.h"
#include "output/line_writer.h"
#include "output/number_text.h"

namespace zivek {
namespace {

// Calls onPass(plan) for every pass, in the arithmetic that decides the program,
// until it returns false or passCount runs out.
template <typename OnPass>
void forEachTaperPass(const TaperRule& rule, double plungeAmount, double turningLength,
                      PassPlan plan, OnPass onPass) {
    for (;;) {
        if (!onPass(plan)) return;
        plan.passCount -= 1;
        if (rule.endAtZero ? plan.passCount <= 0 : plan.passCount < 0) return;
        plan.passDepth += plungeAmount;
        const bool capped =
            rule.capAtEqual ? plan.passDepth >= plan.taperDepth : plan.passDepth > plan.taperDepth;
        if (capped) {
            plan.passDepth = plan.taperDepth;
            plan.passLength = turningLength;
        } else {
            plan.passLength += plan.lengthStep;
        }
    }
}

}  // namespace

const std::array<Box, 5> taperBoxes = {{
    {control::Text3, &Parameters::largeDiameter},
    {control::Text6, &Parameters::smallDiameter},
    {control::Text2, &Parameters::turningLength},
    {control::Text4, &Parameters::plungeAmount},
    {control::Text5, &Parameters::feedRate},
}};

void deriveTaperDepth(Parameters& values) {
    values.taperDepth = (values.largeDiameter - values.smallDiameter) / 2;
}

PassPlan prepareTaper(const Parameters& values) {
    PassPlan plan;
    plan.taperDepth = (values.largeDiameter - values.smallDiameter) / 2;
    plan.passCount = plan.taperDepth / values.plungeAmount;
    plan.passDepth = plan.taperDepth / plan.passCount;
    plan.passLength = values.turningLength / plan.passCount;
    plan.lengthStep = plan.passLength;
    return plan;
}

std::uint64_t countTaperPasses(const TaperRule& rule, PassPlan plan, std::uint64_t limit) {
    // Only passCount decides how many passes there are.
    std::uint64_t passes = 0;
    forEachTaperPass(rule, 0, 0, plan, [&](const PassPlan&) { return ++passes <= limit; });
    return passes;
}

void writeTaperPasses(const TaperRule& rule, const Parameters& values, PassPlan plan,
                      LineWriter& lines) {
    const double in = rule.infeedSign;
    // A pass is "G0U" and the depth; the line end and "G1U", the depth back; "W" and
    // the length; the feed word, the line end and the return line, the same in every
    // pass.
    LineWriter feedAndBack;
    feedAndBack.word("F").number(values.feedRate).endLine();
    feedAndBack.word("G0").word("X").zero().word("Z").zero().endLine();
    const Piece rapidIn("G0U");
    const Piece feedIn(std::string(lineEnd) + "G1U");
    const Piece along("W");
    const Piece feedAndBackLines(feedAndBack.buffered());
    forEachTaperPass(
        rule, values.plungeAmount, values.turningLength, plan, [&](const PassPlan& pass) {
            // round3 as thousandths: the same signs and texts, no division.
            const double depth = thousandthsOf(pass.passDepth);
            const double length = thousandthsOf(pass.passLength);
            const NumberText depthText = NumberText::ofRound3(pass.passDepth, depth);
            lines.piece(rapidIn).number(in * depth, depthText);
            lines.piece(feedIn).number(-in * depth, depthText);
            lines.piece(along).number(-length, NumberText::ofRound3(pass.passLength, length));
            lines.piece(feedAndBackLines);
            return true;
        });
}

}  // namespace zivek
