#include "common/command_line.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace zivek::app {
namespace {

// Options of our own rather than addHelpOption()/addVersionOption(): theirs take their
// English descriptions before any translation can be installed.
const QStringList kHelpNames = {QStringLiteral("h"), QStringLiteral("help")};
const QStringList kVersionNames = {QStringLiteral("v"), QStringLiteral("version")};

bool spellsOneOf(const QStringList& optionNames, const QString& argument) {
    for (const QString& name : optionNames) {
        const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        if (argument == dashes + name) return true;
    }
    return false;
}

}  // namespace

void describeProgram(QCommandLineParser& parser, const ProgramIdentity& identity) {
    QCoreApplication::setApplicationName(identity.name);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIVEK_VERSION));
    QGuiApplication::setDesktopFileName(identity.name);
    parser.setApplicationDescription(identity.description);
    parser.addOption({kHelpNames, QStringLiteral("Bu yardımı gösterir.")});
    parser.addOption({kVersionNames, QStringLiteral("Sürümü gösterir.")});
}

void answerHelpOrVersion(QCommandLineParser& parser, int argc, char* argv[]) {
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QStringLiteral("--")) break;
        if (spellsOneOf(kHelpNames, argument) || spellsOneOf(kVersionNames, argument)) asked = true;
    }
    if (!asked) return;
    // A core application needs no display, and gives --help the program's own name. Qt's
    // Turkish texts, where installed, turn the parser's headings and messages Turkish.
    QCoreApplication core(argc, argv);
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
    // A bad option beside them is reported, and the process ends, here too.
    parser.process(core);
    if (parser.isSet(kHelpNames.constFirst())) parser.showHelp();
    parser.showVersion();
}

}  // namespace zivek::app
