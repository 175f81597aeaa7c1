#pragma once

// What both programs say about themselves on the command line and to the desktop.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <filesystem>
#include <vector>

namespace zivek::app {

struct ProgramIdentity {
    QString name;         // the executable's name, which is also its desktop entry's name
    QString description;  // the first lines of --help
};

// Names the program (application name, version, desktop file name, so that Wayland finds
// its icon) and gives the parser the usual --help and --version. The caller adds its own
// options and arguments afterwards.
void describeProgram(QCommandLineParser& parser, const ProgramIdentity& identity);

// When the arguments ask for --help or --version, prints the answer and ends the process;
// otherwise does nothing. Meant to run before the application object exists, so that
// neither answer needs a display. Everything else waits for parser.process(application),
// after Qt has taken its own options (-platform, -style, ...) out of the arguments.
void answerHelpOrVersion(QCommandLineParser& parser, int argc, char* argv[]);

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
