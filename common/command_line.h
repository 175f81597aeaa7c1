#pragma once

// What both programs say about themselves on the command line and to the desktop.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <filesystem>
#include <utility>
#include <vector>

namespace zivek::app {

// The statuses a script sees; each program's --help lists those it uses.
enum ExitStatus : int {
    kExitDone = 0,
    kExitFailed = 1,          // a file could not be read or written
    kExitBadCommandLine = 2,  // an unknown option, a missing value or file name
};

struct ProgramIdentity {
    QString name;         // the executable's name, which is also its desktop entry's name
    QString description;  // the first lines of --help
    std::vector<std::pair<ExitStatus, QString>> exitStatuses;  // listed below the description
};

// Names the program (application name, version, desktop file name, so that Wayland finds
// its icon) and gives the parser the usual --help and --version. The caller adds its own
// options and arguments afterwards.
void describeProgram(QCommandLineParser& parser, const ProgramIdentity& identity);

// Everything the command line can be answered with before a display is needed: --help and
// --version print their answer, and an unknown option or a missing value says so in
// Turkish on stderr; each ends the process (a bad command line with kExitBadCommandLine).
// Otherwise does nothing. Qt's own options (-platform, -style, ...) are left for the
// application object, and parser.process(application) parses the rest again.
void answerWithoutDisplay(QCommandLineParser& parser, int argc, char* argv[]);

// Says `message` on stderr, after the program's name, as the parser's own errors are said.
void complain(const QString& message);

// Where a program's "o<name> call" finds name.ngc when the program does not hold the
// subroutine, after the program's own folder, as LinuxCNC's SUBROUTINE_PATH does:
// --subroutine-path FOLDERS (given once or more), then the environment variable
// ZIVEK_SUBROUTINE_PATH. Either lists folders separated as PATH does: ';' on Windows,
// ':' elsewhere.
QCommandLineOption subroutinePathOption();
inline constexpr char kSubroutinePathVariable[] = "ZIVEK_SUBROUTINE_PATH";
// The folders of the option (when the parser has it) and of the variable, in that order.
std::vector<std::filesystem::path> subroutineFolders(const QCommandLineParser* parser);
// A folder as the file system names it, whatever its letters (Windows wants them wide).
std::filesystem::path toPath(const QString& folder);

}  // namespace zivek::app
