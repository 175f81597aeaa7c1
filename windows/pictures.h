#pragma once

#include <QIcon>
#include <QPixmap>

#include "windows/control_definition.h"

namespace zivek::windows {

// The picture rendered from its SVG resource at exactly its table size, on white.
QPixmap renderPicture(const Picture& picture);

// The 32 x 32 application icon.
QIcon applicationIcon();

}  // namespace zivek::windows
