#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "output/messages.h"

namespace zivek::testing {

// The texts a user must see for each refusal. Kept apart from the program's own
// catalogue on purpose: tests compare the shown text against this copy, so a key
// given the wrong text, or a text changed by a letter, fails them.
inline constexpr std::pair<MessageKey, std::string_view> expectedMessages[] = {
    {MessageKey::DepthZero, "TORNALAMA DERİNLİĞİ 0 OLAMAZ"},
    {MessageKey::DepthNegative, "TORNALAMA DERİNLİĞİ EKSİ DEGERLİ OLAMAZ"},
    {MessageKey::LengthZero, "TORNALAMA BOYU 0 OLAMAZ"},
    {MessageKey::LengthNegative, "TORNALAMA BOYU EKSİ DEĞERLİ OLAMAZ"},
    {MessageKey::PlungeAboveDepth, "DALMA MİKTARI TORNALAMA DERİNLİĞİNDEN BÜYÜK OLAMAZ"},
    {MessageKey::PlungeEqualsDepth, "DALMA MİKTARI TORNALAMA DERİNLİĞİNE EŞİT OLAMAZ"},
    {MessageKey::PlungeNegative, "DALMA MİKTARI EKSİ DEĞERLİ OLAMAZ"},
    {MessageKey::PlungeZero, "DALMA MİKTARI 0 OLAMAZ"},
    {MessageKey::PlungeTooLarge, "DALMA MİKTARI ÇOK BÜYÜK"},
    {MessageKey::PlungeTooLargeBang, "DALMA MİKTARI ÇOK BÜYÜK !"},
    {MessageKey::PlungeAboveSmallDiameter, "DALMA MİKTARI KÜÇÜK ÇAPTAN BÜYÜK OLAMAZ"},
    {MessageKey::LargeDiameterZero, "BÜYÜK ÇAP 0 OLAMAZ"},
    {MessageKey::LargeDiameterNegative, "BÜYÜK ÇAP EKSİ DEĞERLİ OLAMAZ"},
    {MessageKey::SmallDiameterZero, "KÜÇÜK ÇAP 0 OLAMAZ"},
    {MessageKey::SmallDiameterNegative, "KÜÇÜK ÇAP EKSİ DEĞERLİ OLAMAZ"},
    {MessageKey::SmallAboveLarge, "KÜÇÜK ÇAP BÜYÜK ÇAPTAN BÜYÜK OLAMAZ"},
    {MessageKey::SmallEqualsLarge, "KÜÇÜK ÇAP BÜYÜK ÇAPA EŞİT OLAMAZ"},
    {MessageKey::CoolantNotBinary, "SU KOMUTU 0 VEYA 1 OLMALIDIR. 1=M08 , 0=M09"},
    {MessageKey::SpindleNotBinary, "İŞ MİLİ KOMUTU 0 VEYA 1 OLMALIDIR. 0=M03 , 1=M04"},
    {MessageKey::SpeedOutOfRange, "İŞ MİLİ DEVİRİ 5 İLE 100 ARASINDA OLMALIDIR"},
    {MessageKey::PlungeTooSmall, "DALMA MİKTARI ÇOK KÜÇÜK"},
};

inline std::string expectedMessage(MessageKey key) {
    for (const auto& [k, text] : expectedMessages)
        if (k == key) return std::string(text);
    throw std::logic_error("a message key without an expected text");
}

}  // namespace zivek::testing
