#include <QSvgRenderer>

#include "windows/picture_source.h"

namespace zivek::windows {

void drawPictureSource(QPainter& painter, const Picture& picture, const QRectF& target) {
    QSvgRenderer renderer(QString::fromUtf8(picture.resource.data(),
                                            static_cast<qsizetype>(picture.resource.size())));
    if (!renderer.isValid()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
}

}  // namespace zivek::windows
