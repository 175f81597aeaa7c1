#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "windows/control_definition.h"

namespace zivek::windows {

// The picture rendered to fill `size` (in logical pixels) on a screen of the given
// device pixel ratio, on white: as many device pixels as the screen shows there, so
// that it stays sharp at 150 % and 200 %.
QPixmap renderPicture(const Picture& picture, QSize size, qreal ratio);

// The picture at exactly its table size.
QPixmap renderPicture(const Picture& picture, qreal ratio = 1.0);

// The application icon, drawn afresh at whatever size and ratio it is asked for.
QIcon applicationIcon();

}  // namespace zivek::windows
