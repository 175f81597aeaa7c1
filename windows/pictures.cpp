#include "windows/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zivek::windows {

QPixmap renderPicture(const Picture& picture) {
    QPixmap pixmap(picture.width, picture.height);
    pixmap.fill(Qt::white);
    QSvgRenderer renderer(QString::fromUtf8(picture.resource.data(),
                                            static_cast<qsizetype>(picture.resource.size())));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, picture.width, picture.height));
    }
    return pixmap;
}

QIcon applicationIcon() {
    return QIcon(renderPicture({":/icon.svg", 32, 32}));
}

}  // namespace zivek::windows
