#include "common/command_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

namespace zivek::app {
namespace {

// Options of our own rather than addHelpOption()/addVersionOption(): theirs take their
// English descriptions before any translation can be installed.
const QStringList kHelpNames = {QStringLiteral("h"), QStringLiteral("help")};
const QStringList kVersionNames = {QStringLiteral("v"), QStringLiteral("version")};

// The options QGuiApplication and QApplication take out of the arguments themselves, with
// one or two dashes; those of the first list take the next argument as their value.
const QStringList kQtOptionsWithValue = {QStringLiteral("platform"),
                                         QStringLiteral("platformpluginpath"),
                                         QStringLiteral("platformtheme"),
                                         QStringLiteral("plugin"),
                                         QStringLiteral("qwindowgeometry"),
                                         QStringLiteral("geometry"),
                                         QStringLiteral("qwindowtitle"),
                                         QStringLiteral("title"),
                                         QStringLiteral("qwindowicon"),
                                         QStringLiteral("icon"),
                                         QStringLiteral("session"),
                                         QStringLiteral("display"),
                                         QStringLiteral("name"),
                                         QStringLiteral("style"),
                                         QStringLiteral("stylesheet")};
const QStringList kQtOptionsAlone = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                     QStringLiteral("nograb"),  QStringLiteral("dograb"),
                                     QStringLiteral("sync"),    QStringLiteral("testability")};

// The option's name without its dashes and "=value", or empty when it is no option.
QString optionName(const QString& argument) {
    if (!argument.startsWith(QLatin1Char('-')) || argument == QStringLiteral("--")) return {};
    QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    return name.left(name.indexOf(QLatin1Char('=')));
}

// The arguments as the parser will see them once the application object took its own.
QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--")) {
            kept += arguments.mid(i);
            break;
        }
        const QString name = i == 0 ? QString() : optionName(argument);
        if (kQtOptionsAlone.contains(name) || argument.startsWith(QStringLiteral("-qmljsdebugger")))
            continue;
        if (kQtOptionsWithValue.contains(name)) {
            if (!argument.contains(QLatin1Char('='))) ++i;
            continue;
        }
        kept << argument;
    }
    return kept;
}

const QString kSubroutinePathName = QStringLiteral("subroutine-path");

void addFolders(const QString& list, std::vector<std::filesystem::path>& folders) {
    for (const QString& folder : list.split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders.push_back(toPath(QDir::cleanPath(folder.trimmed())));
}

}  // namespace

std::filesystem::path toPath(const QString& folder) {
    return std::filesystem::path(folder.toStdU16String());
}

QCommandLineOption subroutinePathOption() {
    return QCommandLineOption(
        kSubroutinePathName,
        QStringLiteral("Alt program klasörleri: programda olmayan bir o<ad> call alt programı, "
                       "programın kendi klasöründen sonra bu klasörlerde ad.ngc dosyası olarak "
                       "aranır (LinuxCNC'nin SUBROUTINE_PATH ayarı gibi). Klasörler %1 ile "
                       "ayrılır; seçenek birden çok kez verilebilir. %2 ortam değişkenindeki "
                       "klasörlere de ardından bakılır.")
            .arg(QDir::listSeparator() == u';' ? QStringLiteral("';'") : QStringLiteral("':'"),
                 QString::fromLatin1(kSubroutinePathVariable)),
        QStringLiteral("klasörler"));
}

std::vector<std::filesystem::path> subroutineFolders(const QCommandLineParser* parser) {
    std::vector<std::filesystem::path> folders;
    if (parser != nullptr)
        for (const QString& list : parser->values(kSubroutinePathName)) addFolders(list, folders);
    addFolders(qEnvironmentVariable(kSubroutinePathVariable), folders);
    return folders;
}

void describeProgram(QCommandLineParser& parser, const ProgramIdentity& identity) {
    QCoreApplication::setApplicationName(identity.name);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIVEK_VERSION));
    QGuiApplication::setDesktopFileName(identity.name);
    QString description = identity.description;
    if (!identity.exitStatuses.empty()) {
        description += QStringLiteral("\n\nÇıkış durumları:");
        for (const auto& [status, meaning] : identity.exitStatuses)
            description += QStringLiteral("\n  %1  %2").arg(int(status)).arg(meaning);
    }
    parser.setApplicationDescription(description);
    parser.addOption({kHelpNames, QStringLiteral("Bu yardımı gösterir.")});
    parser.addOption({kVersionNames, QStringLiteral("Sürümü gösterir.")});
}

void complain(const QString& message) {
    const QString line = QCoreApplication::applicationName() + QStringLiteral(": ") + message;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

void answerWithoutDisplay(QCommandLineParser& parser, int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // The usual start: nothing to answer, and no time spent on an application object.
    if (parser.parse(withoutQtOptions(arguments)) && !parser.isSet(kHelpNames.constFirst()) &&
        !parser.isSet(kVersionNames.constFirst()))
        return;
    // A core application needs no display, and gives --help the program's own name. Qt's
    // Turkish texts, where installed, turn the parser's headings and messages Turkish.
    QCoreApplication core(argc, argv);
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
    if (!parser.parse(withoutQtOptions(QCoreApplication::arguments()))) {
        complain(parser.errorText());
        std::exit(kExitBadCommandLine);
    }
    if (parser.isSet(kHelpNames.constFirst())) parser.showHelp(kExitDone);
    parser.showVersion();
}

}  // namespace zivek::app
