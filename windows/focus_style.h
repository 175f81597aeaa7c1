#pragma once

// The focus on a push button, as plain as on the picture buttons: from the first moment
// (not only after Tab was pressed), with the style's own focus mark and a solid frame
// two pixels wide inside the button, whatever the style (Fusion, Windows) or the
// button's colour.

class QStyle;

namespace zivek::windows {

// A style drawing as the application's present style does, push buttons' focus aside.
// For QApplication::setStyle, which takes it over.
QStyle* plainFocusStyle();

}  // namespace zivek::windows
