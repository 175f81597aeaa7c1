#pragma once

#include <QRect>

namespace zivek::windows {

// A position or size as the window tables give it: 1440 twips to the inch.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The tables are drawn for 96 dots per inch, where 15 twips make one pixel.
inline constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips) {
    return twips / twipsPerPixel;
}

inline QRect pixelRect(const TwipsRect& r) {
    return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

}  // namespace zivek::windows
