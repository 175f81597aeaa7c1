#include "cycles/taper_cycle.h"

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
    // The feed word and the return line are the same in every pass.
    LineWriter feed;
    feed.word("F").number(values.feedRate);
    LineWriter back;
    back.word("G0").word("X").zero().word("Z").zero().endLine();
    forEachTaperPass(rule, values.plungeAmount, values.turningLength, plan,
                     [&](const PassPlan& pass) {
                         const double depth = round3(pass.passDepth);
                         const NumberText depthText(depth);
                         lines.word("G0").word("U").number(in * depth, depthText).endLine();
                         lines.word("G1")
                             .word("U")
                             .number(-in * depth, depthText)
                             .word("W")
                             .number(-round3(pass.passLength))
                             .word(feed.buffered())
                             .endLine();
                         lines.line(back.buffered());
                         return true;
                     });
}

}  // namespace zivek
