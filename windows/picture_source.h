#pragma once

#include <QPainter>
#include <QRectF>

#include "windows/control_definition.h"

namespace zivek::windows {

// Draws a picture's source stretched over the target. The one place that knows the
// source's format: the SVG itself where Qt Svg is there, PNGs rendered from it at build
// time where it is not (the static Windows build).
void drawPictureSource(QPainter& painter, const Picture& picture, const QRectF& target);

}  // namespace zivek::windows
