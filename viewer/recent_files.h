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

}  // namespace zivek::backplot
