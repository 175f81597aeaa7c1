#pragma once

// The operations' titles: the cycle's name, the window's title bar and the main menu's
// picture buttons.

#include <string_view>

namespace zivek::title {

inline constexpr std::string_view externalDiameter = "DIŞ ÇAP TORNALAMA";
inline constexpr std::string_view internalDiameter = "İÇ ÇAP TORNALAMA";
inline constexpr std::string_view facing = "ALIN TORNALAMA";
inline constexpr std::string_view externalTaper = "DIŞ KONİK TORNALAMA";
inline constexpr std::string_view internalTaper = "İÇ KONİK TORNALAMA";

}  // namespace zivek::title
