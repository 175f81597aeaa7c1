// Time and memory of opening a program in the viewer's window, above the idle window:
// a 50 MB CAM program (2.2 million lines) and the wizard's largest, 100,000 passes of
// short lines. Prints the figures and (peak - idle) / program size for each.
//
// Each program is written by one process and opened by another that has done nothing
// before, so that its idle figure is the idle window's and its peak the opening's.
//
//   viewer_memory                  both programs, each in processes of its own
//   viewer_memory write KIND PATH  writes the program, cam or wizard
//   viewer_memory open KIND PATH   opens it and prints its line
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "cam_program.h"
#include "support/process_memory.h"
#include "viewer/main_window.h"
#include "wizard_program.h"

namespace {

using zivek::bench::peakKilobytes;
using zivek::bench::residentKilobytes;

// Processor time, which a machine shared with other work does not stretch.
double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec)) /
           1000;
}

int writeProgram(const char* kind, const char* path) {
    const std::string text = std::strcmp(kind, "cam") == 0 ? zivek::bench::camProgram(2200000)
                                                           : zivek::bench::wizardProgram();
    std::ofstream file(path, std::ios::binary);
    file.write(text.data(), std::streamsize(text.size()));
    return file ? 0 : 1;
}

int openProgram(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[3]);
    zivek::backplot::MainWindow window;
    window.show();
    QApplication::processEvents();
    const long idle = peakKilobytes();

    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuMilliseconds();
    window.openFile(path);
    window.repaint();
    QApplication::processEvents();
    const qint64 ms = timer.elapsed();
    const double cpu = cpuMilliseconds() - cpuBefore;
    const long peak = peakKilobytes();
    const long held = residentKilobytes();
    const double programKilobytes = double(QFile(path).size()) / 1024;

    std::printf(
        "%s: opened in %lld ms (%.0f ms of processor time); idle window: %ld KiB, peak "
        "after opening: %ld KiB, held after opening: %ld KiB, program: %.0f KiB\n",
        argv[2], static_cast<long long>(ms), cpu, idle, peak, held, programKilobytes);
    std::printf("%s: opening needs %.2f times the program size above idle (%.2f held)\n", argv[2],
                double(peak - idle) / programKilobytes, double(held - idle) / programKilobytes);
    return 0;
}

int runBoth(const QString& self) {
    QTemporaryDir dir;
    for (const char* kind : {"cam", "wizard"}) {
        const QString path = dir.filePath(QString::fromLatin1(kind) + ".nc");
        const QString name = QString::fromLatin1(kind);
        if (QProcess::execute(self, {"write", name, path}) != 0) return 1;
        QProcess open;
        open.setProcessChannelMode(QProcess::ForwardedChannels);
        open.start(self, {"open", name, path});
        if (!open.waitForFinished(-1) || open.exitCode() != 0) return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "write") == 0) return writeProgram(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "open") == 0) return openProgram(argc, argv);
    QCoreApplication application(argc, argv);
    return runBoth(QCoreApplication::applicationFilePath());
}
