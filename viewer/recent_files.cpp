#include "viewer/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "viewer/viewer_settings.h"

namespace zivek::backplot {
namespace {

// The same file named two ways (relative, with "..", with \ on Windows) is one entry.
QString canonical(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

QStringList RecentFiles::paths() const {
    QStringList kept;
    for (const QString& path : ViewerSettings::recentFiles.value())
        if (QFileInfo(path).isFile() && !kept.contains(path)) kept << path;
    return kept.mid(0, kRecentFiles);
}

void RecentFiles::add(const QString& path) {
    const QString entry = canonical(path);
    QStringList list = ViewerSettings::recentFiles.value();
    list.removeAll(entry);
    list.prepend(entry);
    ViewerSettings::recentFiles.keep(list.mid(0, kRecentFiles));
}

}  // namespace zivek::backplot

namespace zivek::backplot {

QString StockPerFile::wordsFor(const QString& path) const {
    const QString key = canonical(path) + QLatin1Char('\t');
    for (const QString& entry : ViewerSettings::fileStocks.value())
        if (entry.startsWith(key)) return entry.mid(key.size());
    return {};
}

void StockPerFile::keep(const QString& path, const QString& words) {
    const QString key = canonical(path) + QLatin1Char('\t');
    QStringList list = ViewerSettings::fileStocks.value();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const QString& entry) { return entry.startsWith(key); }),
               list.end());
    if (!words.isEmpty()) list.prepend(key + words);
    ViewerSettings::fileStocks.keep(list.mid(0, kFilesWithStock));
}

}  // namespace zivek::backplot
