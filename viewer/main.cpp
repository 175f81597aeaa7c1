#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/command_line.h"
#include "gcode/program_file.h"
#include "gcode/summary_json.h"
#include "viewer/main_window.h"
#include "viewer/setup_sheet.h"
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

// `zivek-backplot --sheet PROGRAM OUT.pdf`: the window, never shown, writes its sheet.
int writeSheetOnly(zivek::backplot::MainWindow& window, const QStringList& files) {
    using namespace zivek::backplot;
    if (files.size() != 2) {
        std::fputs("Kullanım: zivek-backplot --sheet <dosya> <föy.pdf>\n", stderr);
        return 2;
    }
    window.openFile(files[0]);
    if (!window.message().isEmpty()) {
        std::fprintf(stderr, "%s\n", window.message().toLocal8Bit().constData());
        return 1;
    }
    // Laid out as on screen, so the plot's view is the one a window would show.
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
    if (writeSetupSheet(files[1], window.sheetContent())) return 0;
    std::fprintf(stderr, "%s\n", sheetFailedText(files[1]).toLocal8Bit().constData());
    return 1;
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
    const QCommandLineOption sheet(
        QStringLiteral("sheet"),
        QStringLiteral(
            "Pencere açmadan kurulum föyünü PDF olarak yazar: --sheet <dosya> <föy.pdf>"));
    parser.addOption(sheet);
    zivek::app::answerHelpOrVersion(parser, argc, argv);
    // The sheet needs no display.
    if (std::any_of(argv + 1, argv + argc,
                    [](const char* a) { return std::strcmp(a, "--sheet") == 0; }) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--summary") == 0) return printSummary(argc, argv);
    QApplication app(argc, argv);
    parser.process(app);
    zivek::backplot::MainWindow window;
    if (parser.isSet(workpiece))
        window.setWorkpiece(zivek::readWorkpiece(parser.value(workpiece).toStdString()));
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(sheet)) return writeSheetOnly(window, files);
    if (!files.isEmpty()) {
        window.openFile(files.constFirst());
    } else {
        window.showMessage(zivek::backplot::noFileText());
    }
    window.show();
    return app.exec();
}
