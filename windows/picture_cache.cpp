#include "windows/picture_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QStandardPaths>

namespace zivek::windows {

PictureCache::PictureCache(QString folder) : folder_(std::move(folder)) {}

PictureCache PictureCache::user() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return PictureCache(base.isEmpty() ? QString()
                                       : base + QStringLiteral("/zivek-vuvev/pictures"));
}

QString PictureCache::fileFor(const Picture& picture, QSize device) const {
    if (folder_.isEmpty()) return {};
    QFile source(QString::fromUtf8(picture.resource.data(),
                                   static_cast<qsizetype>(picture.resource.size())));
    if (!source.open(QIODevice::ReadOnly)) return {};
    const QByteArray digest =
        QCryptographicHash::hash(source.readAll(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("%1/%2-%3x%4.rgb")
        .arg(folder_, QString::fromLatin1(digest))
        .arg(device.width())
        .arg(device.height());
}

// The pixels as they lie in memory, 32 bits each: decoding a PNG of them would cost
// most of what drawing the SVG does.
QPixmap PictureCache::find(const Picture& picture, QSize device) const {
    const QString name = fileFor(picture, device);
    QFile file(name);
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    QImage image(device, QImage::Format_RGB32);
    // A file cut short or of another length is drawn afresh.
    if (image.isNull() || file.size() != image.sizeInBytes() ||
        file.read(reinterpret_cast<char*>(image.bits()), image.sizeInBytes()) !=
            image.sizeInBytes())
        return {};
    return QPixmap::fromImage(std::move(image));
}

void PictureCache::keep(const Picture& picture, const QPixmap& rendered) const {
    const QString name = fileFor(picture, rendered.size());
    if (name.isEmpty() || !QDir().mkpath(folder_)) return;
    const QImage image = rendered.toImage().convertToFormat(QImage::Format_RGB32);
    // Whole or not at all: another start may be reading the same name meanwhile.
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) ==
            image.sizeInBytes())
        file.commit();
}

}  // namespace zivek::windows
