#include "windows/window_scale.h"

#include <QFontInfo>
#include <algorithm>

namespace zivek::windows {

double fittingScale(QSize client, QSize room, const QFont& font, qreal devicePixelRatio) {
    if (client.isEmpty()) return 1.0;
    const double fits = std::min({1.0, static_cast<double>(room.width()) / client.width(),
                                  static_cast<double>(room.height()) / client.height()});
    const double textPixels = QFontInfo(font).pixelSize() * devicePixelRatio;
    const double legible = textPixels > 0 ? std::min(1.0, minimumTextPixels / textPixels) : 1.0;
    return std::max(fits, legible);
}

QFont scaledFont(const QFont& font, double scale) {
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale + 0.5)));
    return scaled;
}

}  // namespace zivek::windows
