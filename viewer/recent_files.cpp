#include "viewer/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zivek::backplot {
namespace {

const QString kKey = QStringLiteral("files/recent");

QSettings settings() {
    return QSettings(QStringLiteral("zivek"), QStringLiteral("zivek-backplot"));
}

// The same file named two ways (relative, with "..", with \ on Windows) is one entry.
QString canonical(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

QStringList RecentFiles::paths() const {
    QStringList kept;
    for (const QString& path : settings().value(kKey).toStringList())
        if (QFileInfo(path).isFile() && !kept.contains(path)) kept << path;
    return kept.mid(0, kRecentFiles);
}

void RecentFiles::add(const QString& path) {
    const QString entry = canonical(path);
    QStringList list = settings().value(kKey).toStringList();
    list.removeAll(entry);
    list.prepend(entry);
    settings().setValue(kKey, list.mid(0, kRecentFiles));
}

}  // namespace zivek::backplot
