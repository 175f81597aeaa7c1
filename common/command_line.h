#pragma once

// What both programs say about themselves on the command line and to the desktop.

#include <QCommandLineParser>
#include <QString>

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

}  // namespace zivek::app
