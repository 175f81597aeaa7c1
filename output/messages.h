#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zivek {

// Every refusal of a press, by key; the text is what the message box shows.
enum class MessageKey {
    DepthZero,
    DepthNegative,
    LengthZero,
    LengthNegative,
    PlungeAboveDepth,
    PlungeEqualsDepth,
    PlungeNegative,
    PlungeZero,
    PlungeTooLarge,
    PlungeTooLargeBang,
    PlungeAboveSmallDiameter,
    LargeDiameterZero,
    LargeDiameterNegative,
    SmallDiameterZero,
    SmallDiameterNegative,
    SmallAboveLarge,
    SmallEqualsLarge,
    CoolantNotBinary,
    SpindleNotBinary,
    SpeedOutOfRange,
    PlungeTooSmall,
};

// The Turkish text of a message, in UTF-8.
std::string_view messageText(MessageKey key);

// The text shown when a file of the press cannot be written, read or deleted.
std::string fileFaultText(const std::filesystem::path& file);

}  // namespace zivek
