#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include "windows/control_definition.h"

namespace zivek::windows {

// Rendered pictures kept as files in the user's cache folder: drawing an SVG, its
// text above all, costs a quarter of the main menu's start-up, loading the same pixels
// almost nothing. A file is named by the source's bytes and the device size, so a
// changed drawing or another screen ratio never finds a stale picture.
class PictureCache {
  public:
    // The cache in `folder`; an empty folder keeps nothing.
    explicit PictureCache(QString folder);
    // The cache in the user's cache folder.
    static PictureCache user();

    // The picture rendered at `device` pixels before, or a null pixmap.
    QPixmap find(const Picture& picture, QSize device) const;
    // Keeps it for the next start; a folder that cannot be written is no fault.
    void keep(const Picture& picture, const QPixmap& rendered) const;

  private:
    QString fileFor(const Picture& picture, QSize device) const;

    QString folder_;
};

}  // namespace zivek::windows
