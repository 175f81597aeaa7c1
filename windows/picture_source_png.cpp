#include <QImage>
#include <QPaintDevice>

#include "windows/picture_source.h"

namespace zivek::windows {
namespace {

// ":/drawing_form4.svg" -> ":/drawing_form4.png", or ":/drawing_form4@2x.png" for twice
// the pixels.
QString renderedPath(const Picture& picture, bool doubled) {
    QString path =
        QString::fromUtf8(picture.resource.data(), static_cast<qsizetype>(picture.resource.size()));
    path.chop(static_cast<qsizetype>(sizeof ".svg" - 1));
    return path + (doubled ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
}

}  // namespace

// The picture at its own size where that is enough, at twice it on finer screens; the
// smaller of the two that covers the target's device pixels keeps lines sharp.
void drawPictureSource(QPainter& painter, const Picture& picture, const QRectF& target) {
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const qreal devicePixels = target.width() * ratio * painter.worldTransform().m11();
    const bool doubled = devicePixels > picture.width;
    QImage image(renderedPath(picture, doubled));
    if (image.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

}  // namespace zivek::windows
