#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/command_line.h"
#include "common/qt_translation.h"
#include "gcode/program_file.h"
#include "gcode/summary_json.h"
#include "viewer/main_window.h"
#include "viewer/texts.h"

namespace {

// `zivek-backplot --summary FILE [RAPID-RATE]`: the totals as JSON, no window, no display.
int printSummary(int argc, char* argv[]) {
    using namespace zivek::backplot;
    if (argc < 3) {
        std::fputs("Kullanım: zivek-backplot --summary <dosya> [hızlı ilerleme]\n", stderr);
        return 2;
    }
    const LoadedProgram loaded = loadProgramFile(argv[2]);
    if (loaded.status != LoadStatus::Ok) {
        const QString text = loadFailureText(loaded.status, QString::fromLocal8Bit(argv[2]));
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return 1;
    }
    double rapid = 10000;
    if (argc > 3) rapid = std::strtod(argv[3], nullptr);
    const Toolpath path = interpret(loaded.text);
    std::fputs(summaryJson(path, loaded.decoded, rapid).c_str(), stdout);
    return 0;
}

}  // namespace

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
    parser.addOption(QCommandLineOption(
        QStringLiteral("summary"),
        QStringLiteral("Pencere açmadan programın toplamlarını JSON olarak yazar "
                       "(ardından isteğe bağlı hızlı ilerleme)."),
        QStringLiteral("dosya")));
    zivek::app::answerHelpOrVersion(parser, argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--summary") == 0) return printSummary(argc, argv);
    QApplication app(argc, argv);
    parser.process(app);
    zivek::app::installQtTranslation();
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
