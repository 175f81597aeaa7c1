#include <QApplication>
#include <QStringList>

#include "viewer/main_window.h"
#include "viewer/texts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zivek-backplot"));
    zivek::backplot::MainWindow window;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        window.openFile(args.at(1));
    } else {
        window.showMessage(zivek::backplot::noFileText());
    }
    window.show();
    return app.exec();
}
