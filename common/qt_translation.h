#pragma once

namespace zivek::app {

// Qt's own texts in Turkish, as on the Turkish systems the program was made for: the
// message box's "Tamam", the text boxes' context menus. The catalogue is compiled
// into the program, so every platform reads it alike. Call once the application
// object exists; returns whether the catalogue was found.
bool installQtTranslation();

}  // namespace zivek::app
