#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "app/navigator.h"
#include "app/process_viewer.h"
#include "common/command_line.h"
#include "common/qt_translation.h"
#include "windows/focus_style.h"
#include "windows/pictures.h"

namespace {

// The nearest equivalent of the root of drive C: on each platform. On Windows the root
// itself, with the user's profile folder for when the root refuses the files.
zivek::OutputPlace outputPlace() {
    const std::filesystem::path home(QDir::toNativeSeparators(QDir::homePath()).toStdU16String());
#ifdef Q_OS_WIN
    return {std::filesystem::path(u"C:\\"), home};
#else
    return {home};
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    zivek::app::describeProgram(
        parser, {QStringLiteral("zivek-vuvev"),
                 QStringLiteral("ZIVEK-VUVEV V1.0: iki eksenli CNC torna için G kodu programı "
                                "yazar."),
                 {{zivek::app::kExitDone, QStringLiteral("pencere kapandı")},
                  {zivek::app::kExitBadCommandLine,
                   QStringLiteral("komut satırı yanlış: bilinmeyen seçenek ya da eksik değer")}}});
    zivek::app::answerWithoutDisplay(parser, argc, argv);
    QApplication application(argc, argv);
    parser.process(application);
#ifdef Q_OS_WIN
    // Windows' native style draws push buttons without their colour ("ÇIKIŞ"); the
    // style of the Linux build draws them as designed.
    QApplication::setStyle(QStringLiteral("fusion"));
#endif
    QApplication::setStyle(zivek::windows::plainFocusStyle());
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::setWindowIcon(zivek::windows::applicationIcon());
    zivek::app::installQtTranslation();

    zivek::app::ProcessViewer viewer;
    zivek::app::Navigator navigator({outputPlace(), &viewer});
    navigator.openMainMenu();
    return QApplication::exec();
}
