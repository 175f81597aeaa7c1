#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include "app/command_line.h"
#include "viewer/main_window.h"
#include "viewer/texts.h"

int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    zivek::app::describeProgram(
        parser, {QStringLiteral("zivek-backplot"),
                 QStringLiteral("ZIVEK-VUVEV takım yolu görüntüleyicisi: bir torna programının "
                                "takım yolunu çizer.")});
    parser.addPositionalArgument(QStringLiteral("dosya"),
                                 QStringLiteral("Gösterilecek G kodu programı."),
                                 QStringLiteral("[dosya]"));
    // The wizard hands over the operation's workpiece; see output/workpiece.h.
    const QCommandLineOption workpiece(
        QStringLiteral("workpiece"),
        QStringLiteral("İşlemin iş parçası (sihirbaz verir): kaldırılacak malzeme, parça, uç."),
        QStringLiteral("metin"));
    parser.addOption(workpiece);
    zivek::app::answerHelpOrVersion(parser, argc, argv);
    QApplication app(argc, argv);
    parser.process(app);
    zivek::backplot::MainWindow window;
    if (parser.isSet(workpiece))
        window.setWorkpiece(zivek::readWorkpiece(parser.value(workpiece).toStdString()));
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        window.openFile(files.constFirst());
    } else {
        window.showMessage(zivek::backplot::noFileText());
    }
    window.show();
    return app.exec();
}
