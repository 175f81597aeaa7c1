#include <gtest/gtest.h>

#include "cycles/cycles.h"
#include "output/press.h"
#include "support/program_lines.h"

namespace zivek {
namespace {

using testing::straightDefaults;
using testing::taperDefaults;
using testing::withBoxes;

struct Refusal {
    const Cycle& cycle;
    BoxTexts boxes;
    MessageKey key;
};

void expectRefusals(std::initializer_list<Refusal> refusals) {
    int row = 0;
    for (const auto& [cycle, boxes, key] : refusals) {
        const Verdict verdict = checkBoxes(cycle, boxes);
        EXPECT_TRUE(verdict.refused) << cycle.name << " row " << row;
        EXPECT_EQ(verdict.key, key)
            << cycle.name << " row " << row << ": " << messageText(verdict.key);
        ++row;
    }
}

// Both diameter cycles check the same values in the same order; where two checks fail
// at once, the earlier one speaks.
TEST(Refusals, DiameterCycles) {
    for (const Cycle* cycle : {&externalDiameterCycle(), &internalDiameterCycle()}) {
        const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
            return withBoxes(straightDefaults, changes);
        };
        expectRefusals({
            {*cycle, with({{"Text3", "0"}, {"Text2", "0"}}), MessageKey::DepthZero},
            {*cycle, with({{"Text3", "-1"}}), MessageKey::DepthNegative},
            {*cycle, with({{"Text2", "abc"}}), MessageKey::LengthZero},
            {*cycle, with({{"Text2", "-60"}, {"Text4", "13"}}), MessageKey::LengthNegative},
            {*cycle, with({{"Text4", "13"}}), MessageKey::PlungeAboveDepth},
            {*cycle, with({{"Text4", "12"}}), MessageKey::PlungeEqualsDepth},
            {*cycle, with({{"Text4", "-1"}}), MessageKey::PlungeNegative},
            {*cycle, with({{"Text4", ""}, {"Text13", "1"}}), MessageKey::PlungeZero},
            {*cycle, with({{"Text14", "2"}, {"Text13", "1"}}), MessageKey::CoolantNotBinary},
            {*cycle, with({{"Text12", "3"}}), MessageKey::SpindleNotBinary},
            {*cycle, with({{"Text13", "100.5"}}), MessageKey::SpeedOutOfRange},
            {*cycle, with({{"Text4", "1e-300"}}), MessageKey::PlungeTooSmall},
        });
    }
}

TEST(Refusals, Facing) {
    const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
        return withBoxes(straightDefaults, changes);
    };
    const Cycle& facing = facingCycle();
    expectRefusals({
        {facing, with({{"Text3", ""}, {"Text2", ""}}), MessageKey::DepthZero},
        {facing, with({{"Text3", "-12"}}), MessageKey::DepthNegative},
        {facing, with({{"Text2", "0"}}), MessageKey::LengthZero},
        {facing, with({{"Text2", "-1"}}), MessageKey::LengthNegative},
        {facing, with({{"Text4", "0"}, {"Text14", "5"}}), MessageKey::PlungeZero},
        {facing, with({{"Text4", "-13"}}), MessageKey::PlungeNegative},
        {facing, with({{"Text4", "12.001"}}), MessageKey::PlungeAboveDepth},
        {facing, with({{"Text14", "0.5"}}), MessageKey::CoolantNotBinary},
        {facing, with({{"Text12", "-1"}}), MessageKey::SpindleNotBinary},
        {facing, with({{"Text13", "4.99"}}), MessageKey::SpeedOutOfRange},
        {facing, with({{"Text3", "1e300"}}), MessageKey::PlungeTooSmall},
    });
}

TEST(Refusals, ExternalTaper) {
    const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
        return withBoxes(taperDefaults, changes);
    };
    const Cycle& taper = externalTaperCycle();
    expectRefusals({
        {taper, with({{"Text4", "26"}}), MessageKey::PlungeTooLargeBang},
        // The plunge check runs on taperDepth as read, before any diameter check.
        {taper, with({{"Text3", "50"}, {"Text6", "100"}}), MessageKey::PlungeTooLargeBang},
        {taper, with({{"Text6", "100"}}), MessageKey::PlungeTooLargeBang},
        {taper, with({{"Text3", "-100"}}), MessageKey::PlungeTooLargeBang},
        {taper, with({{"Text3", "-100"}, {"Text6", "-200"}}), MessageKey::LargeDiameterNegative},
        {taper, with({{"Text6", "-10"}}), MessageKey::SmallDiameterNegative},
        {taper, with({{"Text2", "-30"}}), MessageKey::LengthNegative},
        {taper, with({{"Text4", "-1"}}), MessageKey::PlungeNegative},
        {taper, with({{"Text3", "50"}, {"Text6", "50"}, {"Text4", "0"}}),
         MessageKey::SmallEqualsLarge},
        {taper, with({{"Text6", "0"}}), MessageKey::SmallDiameterZero},
        {taper, with({{"Text6", "10"}, {"Text4", "20"}}), MessageKey::PlungeAboveSmallDiameter},
        {taper, with({{"Text4", "0"}, {"Text13", "0"}}), MessageKey::PlungeZero},
        {taper, with({{"Text14", "-0.5"}}), MessageKey::CoolantNotBinary},
        {taper, with({{"Text12", "2"}}), MessageKey::SpindleNotBinary},
        {taper, with({{"Text13", ""}}), MessageKey::SpeedOutOfRange},
        {taper, with({{"Text4", "1e-20"}}), MessageKey::PlungeTooSmall},
    });
}

TEST(Refusals, InternalTaper) {
    const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
        return withBoxes(taperDefaults, changes);
    };
    const Cycle& taper = internalTaperCycle();
    expectRefusals({
        {taper, with({{"Text3", "-100"}, {"Text6", "-200"}}), MessageKey::LargeDiameterNegative},
        {taper, with({{"Text6", "-50"}}), MessageKey::SmallDiameterNegative},
        {taper, with({{"Text2", "-30"}}), MessageKey::LengthNegative},
        {taper, with({{"Text4", "-1"}, {"Text3", "50"}, {"Text6", "100"}}),
         MessageKey::PlungeNegative},
        {taper, with({{"Text3", "50"}, {"Text6", "100"}}), MessageKey::SmallAboveLarge},
        {taper, with({{"Text3", "0"}, {"Text6", "0"}}), MessageKey::SmallEqualsLarge},
        {taper, with({{"Text6", ""}}), MessageKey::SmallDiameterZero},
        {taper, with({{"Text4", "26"}}), MessageKey::PlungeTooLarge},
        {taper, with({{"Text4", "0"}, {"Text12", "7"}}), MessageKey::PlungeZero},
        {taper, with({{"Text14", "3"}}), MessageKey::CoolantNotBinary},
        {taper, with({{"Text12", "0.1"}}), MessageKey::SpindleNotBinary},
        {taper, with({{"Text13", "101"}}), MessageKey::SpeedOutOfRange},
        {taper, with({{"Text4", "1e-300"}}), MessageKey::PlungeTooSmall},
    });
    // Unlike outside, a plunge above the small diameter is no refusal.
    EXPECT_FALSE(checkBoxes(taper, with({{"Text6", "10"}, {"Text4", "20"}})).refused);
}

}  // namespace
}  // namespace zivek
