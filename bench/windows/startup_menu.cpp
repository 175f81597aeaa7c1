// Starts like the program, shows the main menu painted once, and exits.
#include <QApplication>
#include <QWindow>

#include "app/navigator.h"
#include "common/qt_translation.h"
#include "windows/pictures.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(zivek::windows::applicationIcon());
    zivek::app::installQtTranslation();
    zivek::NoViewer viewer;
    zivek::app::Navigator navigator({zivek::OutputPlace{"."}, &viewer});
    navigator.openMainMenu();
    QWidget* menu = navigator.current();
    while (!menu->windowHandle() || !menu->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    menu->repaint();
    return 0;
}
