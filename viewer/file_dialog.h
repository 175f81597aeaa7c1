#pragma once

// The file dialogs for opening and saving a program.

#include <QString>

class QWidget;

namespace zivek::backplot {

enum class FileChoice { Open, Save };

// The path chosen, empty when the user cancelled. Qt's own dialog (where the desktop has
// none) is kept within the screen, which its default size overruns at 200 %.
QString chooseProgramFile(QWidget* parent, FileChoice choice, const QString& title,
                          const QString& start);

}  // namespace zivek::backplot
