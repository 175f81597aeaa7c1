// The floor for start-up: a bare Qt window with one button, shown and painted once.
#include <QApplication>
#include <QPushButton>
#include <QWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    QPushButton button("ÇIKIŞ", &window);
    window.resize(537, 497);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    window.repaint();
    return 0;
}
