#include <gtest/gtest.h>

#include "cycles/cycles.h"
#include "output/control_names.h"
#include "output/press.h"
#include "support/memory_disk.h"
#include "support/message_texts.h"
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

// Each refusal shows the whole text expected for its key and touches no file.
void expectRefusals(std::initializer_list<Refusal> refusals) {
    int row = 0;
    for (const auto& [cycle, boxes, key] : refusals) {
        testing::MemoryDisk disk;
        NoViewer viewer;
        const PressResult result = press(cycle, boxes, OutputPlace{"home"}, viewer, disk);
        EXPECT_EQ(result.outcome, PressResult::Outcome::Refused) << cycle.name << " row " << row;
        EXPECT_EQ(result.message(), testing::expectedMessage(key)) << cycle.name << " row " << row;
        EXPECT_TRUE(disk.log.empty()) << cycle.name << " row " << row;
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
            {*cycle, with({{control::Text3, "0"}, {control::Text2, "0"}}), MessageKey::DepthZero},
            {*cycle, with({{control::Text3, "-1"}}), MessageKey::DepthNegative},
            {*cycle, with({{control::Text2, "abc"}}), MessageKey::LengthZero},
            {*cycle, with({{control::Text2, "-60"}, {control::Text4, "13"}}),
             MessageKey::LengthNegative},
            {*cycle, with({{control::Text4, "13"}}), MessageKey::PlungeAboveDepth},
            {*cycle, with({{control::Text4, "12"}}), MessageKey::PlungeEqualsDepth},
            {*cycle, with({{control::Text4, "-1"}}), MessageKey::PlungeNegative},
            {*cycle, with({{control::Text4, ""}, {control::Text13, "1"}}), MessageKey::PlungeZero},
            {*cycle, with({{control::Text14, "2"}, {control::Text13, "1"}}),
             MessageKey::CoolantNotBinary},
            {*cycle, with({{control::Text12, "3"}}), MessageKey::SpindleNotBinary},
            {*cycle, with({{control::Text13, "100.5"}}), MessageKey::SpeedOutOfRange},
            {*cycle, with({{control::Text4, "1e-300"}}), MessageKey::PlungeTooSmall},
        });
    }
}

TEST(Refusals, Facing) {
    const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
        return withBoxes(straightDefaults, changes);
    };
    const Cycle& facing = facingCycle();
    expectRefusals({
        {facing, with({{control::Text3, ""}, {control::Text2, ""}}), MessageKey::DepthZero},
        {facing, with({{control::Text3, "-12"}}), MessageKey::DepthNegative},
        {facing, with({{control::Text2, "0"}}), MessageKey::LengthZero},
        {facing, with({{control::Text2, "-1"}}), MessageKey::LengthNegative},
        {facing, with({{control::Text4, "0"}, {control::Text14, "5"}}), MessageKey::PlungeZero},
        {facing, with({{control::Text4, "-13"}}), MessageKey::PlungeNegative},
        {facing, with({{control::Text4, "12.001"}}), MessageKey::PlungeAboveDepth},
        {facing, with({{control::Text14, "0.5"}}), MessageKey::CoolantNotBinary},
        {facing, with({{control::Text12, "-1"}}), MessageKey::SpindleNotBinary},
        {facing, with({{control::Text13, "4.99"}}), MessageKey::SpeedOutOfRange},
        {facing, with({{control::Text3, "1e300"}}), MessageKey::PlungeTooSmall},
    });
}

TEST(Refusals, ExternalTaper) {
    const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
        return withBoxes(taperDefaults, changes);
    };
    const Cycle& taper = externalTaperCycle();
    expectRefusals({
        {taper, with({{control::Text4, "26"}}), MessageKey::PlungeTooLargeBang},
        // The plunge check runs on taperDepth as read, before any diameter check.
        {taper, with({{control::Text3, "50"}, {control::Text6, "100"}}),
         MessageKey::PlungeTooLargeBang},
        {taper, with({{control::Text6, "100"}}), MessageKey::PlungeTooLargeBang},
        {taper, with({{control::Text3, "-100"}}), MessageKey::PlungeTooLargeBang},
        {taper, with({{control::Text3, "-100"}, {control::Text6, "-200"}}),
         MessageKey::LargeDiameterNegative},
        {taper, with({{control::Text6, "-10"}}), MessageKey::SmallDiameterNegative},
        {taper, with({{control::Text2, "-30"}}), MessageKey::LengthNegative},
        {taper, with({{control::Text4, "-1"}}), MessageKey::PlungeNegative},
        {taper, with({{control::Text3, "50"}, {control::Text6, "50"}, {control::Text4, "0"}}),
         MessageKey::SmallEqualsLarge},
        {taper, with({{control::Text6, "0"}}), MessageKey::SmallDiameterZero},
        {taper, with({{control::Text6, "10"}, {control::Text4, "20"}}),
         MessageKey::PlungeAboveSmallDiameter},
        {taper, with({{control::Text4, "0"}, {control::Text13, "0"}}), MessageKey::PlungeZero},
        {taper, with({{control::Text14, "-0.5"}}), MessageKey::CoolantNotBinary},
        {taper, with({{control::Text12, "2"}}), MessageKey::SpindleNotBinary},
        {taper, with({{control::Text13, ""}}), MessageKey::SpeedOutOfRange},
        {taper, with({{control::Text4, "1e-20"}}), MessageKey::PlungeTooSmall},
    });
}

TEST(Refusals, InternalTaper) {
    const auto with = [](std::initializer_list<BoxTexts::value_type> changes) {
        return withBoxes(taperDefaults, changes);
    };
    const Cycle& taper = internalTaperCycle();
    expectRefusals({
        {taper, with({{control::Text3, "-100"}, {control::Text6, "-200"}}),
         MessageKey::LargeDiameterNegative},
        {taper, with({{control::Text6, "-50"}}), MessageKey::SmallDiameterNegative},
        {taper, with({{control::Text2, "-30"}}), MessageKey::LengthNegative},
        {taper, with({{control::Text4, "-1"}, {control::Text3, "50"}, {control::Text6, "100"}}),
         MessageKey::PlungeNegative},
        {taper, with({{control::Text3, "50"}, {control::Text6, "100"}}),
         MessageKey::SmallAboveLarge},
        {taper, with({{control::Text3, "0"}, {control::Text6, "0"}}), MessageKey::SmallEqualsLarge},
        {taper, with({{control::Text6, ""}}), MessageKey::SmallDiameterZero},
        {taper, with({{control::Text4, "26"}}), MessageKey::PlungeTooLarge},
        {taper, with({{control::Text4, "0"}, {control::Text12, "7"}}), MessageKey::PlungeZero},
        {taper, with({{control::Text14, "3"}}), MessageKey::CoolantNotBinary},
        {taper, with({{control::Text12, "0.1"}}), MessageKey::SpindleNotBinary},
        {taper, with({{control::Text13, "101"}}), MessageKey::SpeedOutOfRange},
        {taper, with({{control::Text4, "1e-300"}}), MessageKey::PlungeTooSmall},
    });
    // Unlike outside, a plunge above the small diameter is no refusal.
    testing::MemoryDisk disk;
    NoViewer viewer;
    EXPECT_TRUE(press(taper, with({{control::Text6, "10"}, {control::Text4, "20"}}),
                      OutputPlace{"home"}, viewer, disk)
                    .written());
}

}  // namespace
}  // namespace zivek
