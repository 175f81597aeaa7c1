#include "fuzz/value_rules.h"

#include <cmath>
#include <functional>
#include <vector>

#include "output/control_names.h"
#include "output/reading_rule.h"
#include "support/message_texts.h"

namespace zivek::fuzz {
namespace {

using testing::Operation;

double taperDepth(const Values& v) {
    return (v.large - v.small) / 2;
}

bool isBinary(double command) {
    return command == 0 || command == 1;
}

// A refusal: its message, the operations that may give it and what it says.
struct Reason {
    MessageKey key;
    std::vector<Operation> operations;
    std::function<bool(const Values&)> holds;
};

const std::vector<Operation> straight = {Operation::ExternalDiameter, Operation::InternalDiameter,
                                         Operation::Facing};
const std::vector<Operation> diameters = {Operation::ExternalDiameter, Operation::InternalDiameter};
const std::vector<Operation> tapers = {Operation::ExternalTaper, Operation::InternalTaper};
const std::vector<Operation> all = {Operation::ExternalDiameter, Operation::InternalDiameter,
                                    Operation::Facing, Operation::ExternalTaper,
                                    Operation::InternalTaper};

const std::vector<Reason>& reasons() {
    static const std::vector<Reason> list = {
        {MessageKey::DepthZero, straight, [](const Values& v) { return v.depth == 0; }},
        {MessageKey::DepthNegative, straight, [](const Values& v) { return v.depth < 0; }},
        {MessageKey::LengthZero, straight, [](const Values& v) { return v.length == 0; }},
        {MessageKey::LengthNegative, all, [](const Values& v) { return v.length < 0; }},
        {MessageKey::PlungeAboveDepth, straight,
         [](const Values& v) { return v.plunge > v.depth; }},
        {MessageKey::PlungeEqualsDepth, diameters,
         [](const Values& v) { return v.plunge == v.depth; }},
        {MessageKey::PlungeNegative, all, [](const Values& v) { return v.plunge < 0; }},
        {MessageKey::PlungeZero, all, [](const Values& v) { return v.plunge == 0; }},
        {MessageKey::PlungeTooLarge,
         {Operation::InternalTaper},
         [](const Values& v) { return v.plunge > taperDepth(v); }},
        {MessageKey::PlungeTooLargeBang,
         {Operation::ExternalTaper},
         [](const Values& v) { return v.plunge > taperDepth(v); }},
        {MessageKey::PlungeAboveSmallDiameter,
         {Operation::ExternalTaper},
         [](const Values& v) { return v.plunge > v.small; }},
        {MessageKey::LargeDiameterZero, tapers, [](const Values& v) { return v.large == 0; }},
        {MessageKey::LargeDiameterNegative, tapers, [](const Values& v) { return v.large < 0; }},
        {MessageKey::SmallDiameterZero, tapers, [](const Values& v) { return v.small == 0; }},
        {MessageKey::SmallDiameterNegative, tapers, [](const Values& v) { return v.small < 0; }},
        {MessageKey::SmallAboveLarge, tapers, [](const Values& v) { return v.small > v.large; }},
        {MessageKey::SmallEqualsLarge, tapers, [](const Values& v) { return v.small == v.large; }},
        {MessageKey::CoolantNotBinary, all, [](const Values& v) { return !isBinary(v.coolant); }},
        {MessageKey::SpindleNotBinary, all, [](const Values& v) { return !isBinary(v.spindle); }},
        {MessageKey::SpeedOutOfRange, all,
         [](const Values& v) { return v.speed < 5 || v.speed > 100; }},
        // Some hundred thousand passes or more: the infeed over the plunge, loosely.
        {MessageKey::PlungeTooSmall, all,
         [](const Values& v) {
             return v.plunge > 0 && std::fmax(v.depth, taperDepth(v)) / v.plunge > 50'000;
         }},
    };
    return list;
}

bool gives(const std::vector<Operation>& operations, Operation operation) {
    for (const Operation o : operations)
        if (o == operation) return true;
    return false;
}

}  // namespace

const std::vector<BoxRole>& boxRoles(Operation operation) {
    static const std::vector<BoxRole> straightRoles = {
        {control::Text3, &Values::depth},    {control::Text2, &Values::length},
        {control::Text4, &Values::plunge},   {control::Text5, &Values::feed},
        {control::Text14, &Values::coolant}, {control::Text12, &Values::spindle},
        {control::Text13, &Values::speed}};
    static const std::vector<BoxRole> taperRoles = {
        {control::Text3, &Values::large},    {control::Text6, &Values::small},
        {control::Text2, &Values::length},   {control::Text4, &Values::plunge},
        {control::Text5, &Values::feed},     {control::Text14, &Values::coolant},
        {control::Text12, &Values::spindle}, {control::Text13, &Values::speed}};
    return testing::isStraight(operation) ? straightRoles : taperRoles;
}

Values readValues(Operation operation, const BoxTexts& boxes) {
    Values values;
    for (const BoxRole& role : boxRoles(operation)) {
        const auto text = boxes.find(role.box);
        values.*role.value = text == boxes.end() ? 0.0 : readNumber(text->second);
    }
    return values;
}

const char* firstBrokenRule(Operation operation, const Values& v) {
    if (!isBinary(v.coolant)) return "the coolant command is 0 or 1";
    if (!isBinary(v.spindle)) return "the spindle command is 0 or 1";
    if (!(v.speed >= 5 && v.speed <= 100)) return "the speed lies between 5 and 100";
    if (!(v.plunge > 0)) return "the plunge is above 0";
    if (testing::isStraight(operation)) {
        if (!(v.depth > 0)) return "the depth is above 0";
        if (!(v.length > 0)) return "the length is above 0";
        if (!(v.plunge <= v.depth)) return "the plunge is at most the depth";
        if (operation != Operation::Facing && v.plunge == v.depth)
            return "the plunge is below the depth";
        return nullptr;
    }
    if (!(v.small > 0)) return "the small diameter is above 0";
    if (!(v.small < v.large)) return "the small diameter is below the large one";
    if (!(v.length >= 0)) return "the length is not negative";
    if (!(v.plunge <= taperDepth(v))) return "the plunge is at most the taper depth";
    if (operation == Operation::ExternalTaper && !(v.plunge <= v.small))
        return "the plunge is at most the small diameter";
    return nullptr;
}

bool refusalFits(Operation operation, const Values& values, const std::string& message) {
    for (const Reason& reason : reasons())
        if (testing::expectedMessage(reason.key) == message)
            return gives(reason.operations, operation) && reason.holds(values);
    return false;
}

}  // namespace zivek::fuzz
