#include "common/command_line.h"

#include <QCoreApplication>
#include <QDir>
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
