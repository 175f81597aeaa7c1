#pragma once

#include <QFont>
#include <QSize>

namespace zivek::windows {

// The smallest text a scaled window may show, in pixels of the screen (device pixels):
// about 8 points at 96 dots per inch, still read easily at arm's length from a machine.
inline constexpr int minimumTextPixels = 11;

// The factor (at most 1) by which a window of the given client size is drawn so that it
// fits the room its screen leaves for the client (available area less the window's
// frame). The factor never takes text in that font below minimumTextPixels; where only a
// smaller factor would fit, the window is as small as that limit allows.
double fittingScale(QSize client, QSize room, const QFont& font, qreal devicePixelRatio);

// The font as the table's font looks on a window drawn smaller by scale.
QFont scaledFont(const QFont& font, double scale);

}  // namespace zivek::windows
