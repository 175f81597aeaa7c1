#include "output/messages.h"

namespace zivek {

// Each key beside its text. No default: a key added without a text fails the build
// under the project's warnings.
std::string_view messageText(MessageKey key) {
    switch (key) {
        case MessageKey::DepthZero:
            return "TORNALAMA DERİNLİĞİ 0 OLAMAZ";
        case MessageKey::DepthNegative:
            // The plain "G" of "DEGERLİ" is kept as users have always seen it.
            return "TORNALAMA DERİNLİĞİ EKSİ DEGERLİ OLAMAZ";
        case MessageKey::LengthZero:
            return "TORNALAMA BOYU 0 OLAMAZ";
        case MessageKey::LengthNegative:
            return "TORNALAMA BOYU EKSİ DEĞERLİ OLAMAZ";
        case MessageKey::PlungeAboveDepth:
            return "DALMA MİKTARI TORNALAMA DERİNLİĞİNDEN BÜYÜK OLAMAZ";
        case MessageKey::PlungeEqualsDepth:
            return "DALMA MİKTARI TORNALAMA DERİNLİĞİNE EŞİT OLAMAZ";
        case MessageKey::PlungeNegative:
            return "DALMA MİKTARI EKSİ DEĞERLİ OLAMAZ";
        case MessageKey::PlungeZero:
            return "DALMA MİKTARI 0 OLAMAZ";
        case MessageKey::PlungeTooLarge:
            return "DALMA MİKTARI ÇOK BÜYÜK";
        case MessageKey::PlungeTooLargeBang:
            return "DALMA MİKTARI ÇOK BÜYÜK !";
        case MessageKey::PlungeAboveSmallDiameter:
            return "DALMA MİKTARI KÜÇÜK ÇAPTAN BÜYÜK OLAMAZ";
        case MessageKey::LargeDiameterZero:
            return "BÜYÜK ÇAP 0 OLAMAZ";
        case MessageKey::LargeDiameterNegative:
            return "BÜYÜK ÇAP EKSİ DEĞERLİ OLAMAZ";
        case MessageKey::SmallDiameterZero:
            return "KÜÇÜK ÇAP 0 OLAMAZ";
        case MessageKey::SmallDiameterNegative:
            return "KÜÇÜK ÇAP EKSİ DEĞERLİ OLAMAZ";
        case MessageKey::SmallAboveLarge:
            return "KÜÇÜK ÇAP BÜYÜK ÇAPTAN BÜYÜK OLAMAZ";
        case MessageKey::SmallEqualsLarge:
            return "KÜÇÜK ÇAP BÜYÜK ÇAPA EŞİT OLAMAZ";
        case MessageKey::CoolantNotBinary:
            // 1 switches the coolant on (M08), 0 off (M09), as the box's hint says.
            return "SU KOMUTU 0 VEYA 1 OLMALIDIR. 1=M08 , 0=M09";
        case MessageKey::SpindleNotBinary:
            return "İŞ MİLİ KOMUTU 0 VEYA 1 OLMALIDIR. 0=M03 , 1=M04";
        case MessageKey::SpeedOutOfRange:
            return "İŞ MİLİ DEVİRİ 5 İLE 100 ARASINDA OLMALIDIR";
        case MessageKey::PlungeTooSmall:
            return "DALMA MİKTARI ÇOK KÜÇÜK";
    }
    return {};
}

std::string fileFaultText(const std::filesystem::path& file) {
    // UTF-8 whatever the system's code page (a Windows profile folder may carry Turkish
    // letters), with the system's own separators.
    const std::u8string path = std::filesystem::path(file).make_preferred().u8string();
    return "DOSYA YAZILAMADI: " + std::string(path.begin(), path.end());
}

}  // namespace zivek
