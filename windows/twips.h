#pragma once

#include <QRect>
#include <cmath>

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

// A length of the table's pixels on a window drawn smaller by scale (at most 1).
inline int scaledPixels(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

// The table's rectangle on a window drawn smaller by scale. Each edge is scaled on its
// own, so that controls that only touched at full size only touch when smaller, and
// at scale 1 the rectangle is exactly pixelRect's.
inline QRect pixelRect(const TwipsRect& r, double scale) {
    const QRect full = pixelRect(r);
    const int left = scaledPixels(full.left(), scale);
    const int top = scaledPixels(full.top(), scale);
    return {left, top, scaledPixels(full.left() + full.width(), scale) - left,
            scaledPixels(full.top() + full.height(), scale) - top};
}

}  // namespace zivek::windows
