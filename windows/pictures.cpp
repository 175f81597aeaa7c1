#include "windows/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <cmath>

#include "windows/picture_cache.h"
#include "windows/picture_source.h"

namespace zivek::windows {
namespace {

constexpr Picture icon{":/icon.svg", 32, 32};

// The icon as a vector: each size the platform asks for is drawn from the source, at
// the ratio of the painter it is drawn with.
class PictureIconEngine : public QIconEngine {
  public:
    explicit PictureIconEngine(const Picture& picture) : picture_(picture) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        drawPictureSource(*painter, picture_, rect);
    }
    QIconEngine* clone() const override { return new PictureIconEngine(picture_); }

  private:
    Picture picture_;
};

}  // namespace

QPixmap renderPicture(const Picture& picture, QSize size, qreal ratio) {
    // Whole device pixels that cover the logical size; the source is stretched over
    // all of them, so no part of a pixel is left white at a fractional ratio.
    const QSize device(static_cast<int>(std::ceil(size.width() * ratio)),
                       static_cast<int>(std::ceil(size.height() * ratio)));
    static const PictureCache cache = PictureCache::user();
    QPixmap pixmap = cache.find(picture, device);
    if (pixmap.isNull()) {
        pixmap = QPixmap(device);
        pixmap.fill(Qt::white);
        {
            QPainter painter(&pixmap);
            drawPictureSource(painter, picture, QRectF(QPointF(0, 0), QSizeF(device)));
        }
        cache.keep(picture, pixmap);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap renderPicture(const Picture& picture, qreal ratio) {
    return renderPicture(picture, QSize(picture.width, picture.height), ratio);
}

QIcon applicationIcon() {
    return QIcon(new PictureIconEngine(icon));
}

}  // namespace zivek::windows
