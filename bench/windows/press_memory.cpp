// Memory of a press of the largest accepted program in the window, against the idle
// window before it: at its peak, and what the window holds once the press is over (the
// output box's text and line index). Prints the figures and both above idle / program
// size.
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

#include "largest_program.h"
#include "support/process_memory.h"
#include "windows/operation_window.h"

using zivek::bench::peakKilobytes;
using zivek::bench::residentKilobytes;

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
    const long idleHeld = residentKilobytes();

    form4.KOD_Click();
    QApplication::processEvents();
    const long peak = peakKilobytes();
    const long held = residentKilobytes();
    const double programKilobytes =
        static_cast<double>(QFileInfo(home.filePath("ALANTEMIZLEME.TXT")).size()) / 1024;

    std::printf(
        "idle window: %ld KiB (%ld KiB held), peak after the press: %ld KiB, held after it: "
        "%ld KiB, program: %.0f KiB\n",
        idle, idleHeld, peak, held, programKilobytes);
    std::printf("press needs %.2f times the program size above idle at its peak\n",
                static_cast<double>(peak - idle) / programKilobytes);
    std::printf("the window holds %.2f times the program size above idle after it\n",
                static_cast<double>(held - idleHeld) / programKilobytes);
}
