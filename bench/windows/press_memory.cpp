// Peak memory of a press of the largest accepted program, against the idle window
// before it. Prints the figures and (peak - idle) / program size.
#include <sys/resource.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "largest_program.h"
#include "windows/operation_window.h"

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir home;
    zivek::NoViewer viewer;
    zivek::windows::OperationWindow form4(zivek::windows::form4(),
                                          {zivek::OutputPlace{home.path().toStdString()}, &viewer});
    form4.open();
    zivek::bench::typeLargestProgram(form4);
    QApplication::processEvents();
    const long idle = peakKilobytes();

    form4.KOD_Click();
    QApplication::processEvents();
    const long peak = peakKilobytes();
    const double programKilobytes =
        static_cast<double>(QFileInfo(home.filePath("ALANTEMIZLEME.TXT")).size()) / 1024;

    std::printf("idle window: %ld KiB, peak after the press: %ld KiB, program: %.0f KiB\n", idle,
                peak, programKilobytes);
    std::printf("press needs %.2f times the program size above idle\n",
                static_cast<double>(peak - idle) / programKilobytes);
}
