#include "app/command_line.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

namespace zivek::app {

void describeProgram(QCommandLineParser& parser, const ProgramIdentity& identity) {
    QCoreApplication::setApplicationName(identity.name);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIVEK_VERSION));
    QGuiApplication::setDesktopFileName(identity.name);
    parser.setApplicationDescription(identity.description);
    parser.addHelpOption();
    parser.addVersionOption();
}

void answerHelpOrVersion(QCommandLineParser& parser, int argc, char* argv[]) {
    // The spellings QCommandLineParser gives the two options.
    static const QStringList answered = {
        QStringLiteral("-h"),         QStringLiteral("--help"), QStringLiteral("-?"),
        QStringLiteral("--help-all"), QStringLiteral("-v"),     QStringLiteral("--version"),
    };
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QStringLiteral("--")) break;
        if (answered.contains(argument)) asked = true;
    }
    if (!asked) return;
    // A core application needs no display, and gives --help the program's own name. The
    // parser prints the answer and exits; a bad option beside it is reported and exits too.
    QCoreApplication core(argc, argv);
    parser.process(core);
}

}  // namespace zivek::app
