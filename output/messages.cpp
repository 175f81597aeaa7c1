#include "output/messages.h"

#include <array>

namespace zivek {
namespace {

// In the order of MessageKey. The plain "G" of "DEGERLİ" in DepthNegative is kept as
// users have always seen it.
constexpr std::array<std::string_view, messageKeyCount> texts = {
    "TORNALAMA DERİNLİĞİ 0 OLAMAZ",
    "TORNALAMA DERİNLİĞİ EKSİ DEGERLİ OLAMAZ",
    "TORNALAMA BOYU 0 OLAMAZ",
    "TORNALAMA BOYU EKSİ DEĞERLİ OLAMAZ",
    "DALMA MİKTARI TORNALAMA DERİNLİĞİNDEN BÜYÜK OLAMAZ",
    "DALMA MİKTARI TORNALAMA DERİNLİĞİNE EŞİT OLAMAZ",
    "DALMA MİKTARI EKSİ DEĞERLİ OLAMAZ",
    "DALMA MİKTARI 0 OLAMAZ",
    "DALMA MİKTARI ÇOK BÜYÜK",
    "DALMA MİKTARI ÇOK BÜYÜK !",
    "DALMA MİKTARI KÜÇÜK ÇAPTAN BÜYÜK OLAMAZ",
    "BÜYÜK ÇAP 0 OLAMAZ",
    "BÜYÜK ÇAP EKSİ DEĞERLİ OLAMAZ",
    "KÜÇÜK ÇAP 0 OLAMAZ",
    "KÜÇÜK ÇAP EKSİ DEĞERLİ OLAMAZ",
    "KÜÇÜK ÇAP BÜYÜK ÇAPTAN BÜYÜK OLAMAZ",
    "KÜÇÜK ÇAP BÜYÜK ÇAPA EŞİT OLAMAZ",
    // 1 switches the coolant on (M08), 0 off (M09), as the box's hint says.
    "SU KOMUTU 0 VEYA 1 OLMALIDIR. 1=M08 , 0=M09",
    "İŞ MİLİ KOMUTU 0 VEYA 1 OLMALIDIR. 0=M03 , 1=M04",
    "İŞ MİLİ DEVİRİ 5 İLE 100 ARASINDA OLMALIDIR",
    "DALMA MİKTARI ÇOK KÜÇÜK",
};

}  // namespace

std::string_view messageText(MessageKey key) {
    return texts[static_cast<std::size_t>(key)];
}

std::string fileFaultText(const std::filesystem::path& file) {
    // UTF-8 whatever the system's code page (a Windows profile folder may carry Turkish
    // letters), with the system's own separators.
    const std::u8string path = std::filesystem::path(file).make_preferred().u8string();
    return "DOSYA YAZILAMADI: " + std::string(path.begin(), path.end());
}

}  // namespace zivek
