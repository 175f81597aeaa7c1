#pragma once

// The programs opened last, newest first, kept from one start to the next.

#include <QString>
#include <QStringList>

namespace zivek::backplot {

inline constexpr int kRecentFiles = 8;

class RecentFiles {
  public:
    // The list as it was left, without the files that have gone since.
    QStringList paths() const;
    // Puts the file first; an earlier entry for it moves up, the oldest beyond the limit
    // drops out.
    void add(const QString& path);
};

// The bar given by hand for each program file, as the command line's words ("D50 L80"),
// kept for the files used last.
inline constexpr int kFilesWithStock = 64;

class StockPerFile {
  public:
    QString wordsFor(const QString& path) const;  // empty when none was given
    // Empty words forget the file's bar.
    void keep(const QString& path, const QString& words);
};

}  // namespace zivek::backplot
