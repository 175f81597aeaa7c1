#include "windows/pictures.h"

#include <QPainter>

#include "windows/picture_source.h"

namespace zivek::windows {

QPixmap renderPicture(const Picture& picture) {
    QPixmap pixmap(picture.width, picture.height);
    pixmap.fill(Qt::white);
    {
        QPainter painter(&pixmap);
        drawPictureSource(painter, picture, QRectF(0, 0, picture.width, picture.height));
    }
    return pixmap;
}

QIcon applicationIcon() {
    return QIcon(renderPicture({":/icon.svg", 32, 32}));
}

}  // namespace zivek::windows
