#include "viewer/tool_colours.h"

#include <algorithm>
#include <array>

#include "viewer/plot_painter.h"

namespace zivek::backplot {
namespace {

// Dark enough for white paper and a grey printer; none near the rapid's orange, the
// selection's green or the unfinished cycle's purple. The first is the plain feed blue.
constexpr std::array<QRgb, 8> kPalette{
    0x105EC8,  // blue
    0xC8102E,  // red
    0x0F766E,  // teal
    0x8A5A00,  // ochre
    0x4338CA,  // indigo
    0x9D174D,  // wine
    0x3F6212,  // olive
    0x1F2937,  // slate
};

}  // namespace

std::vector<ToolShade> toolShades(const Toolpath& path) {
    std::vector<std::uint32_t> seen;
    std::vector<ToolShade> shades;
    shades.reserve(path.tools.size());
    for (const ToolChange& t : path.tools) {
        auto it = std::find(seen.begin(), seen.end(), t.tool);
        if (it == seen.end()) it = seen.insert(seen.end(), t.tool);
        shades.push_back(ToolShade(1 + std::size_t(it - seen.begin()) % kPalette.size()));
    }
    return shades;
}

QColor shadeColour(ToolShade shade) {
    return shade == 0 ? plotColors().feed : QColor(kPalette[(shade - 1) % kPalette.size()]);
}

}  // namespace zivek::backplot
