// Time and peak memory of opening a 50 MB CAM program (2.2 million lines) in the viewer's
// window, against the idle window before it. Prints the figures and
// (peak - idle) / program size.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "cam_program.h"
#include "viewer/main_window.h"

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Processor time, which a machine shared with other work does not stretch.
double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec)) /
           1000;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cam.nc"));
    {
        // Written and freed before the idle figure is taken.
        const std::string text = zivek::bench::camProgram(2200000);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(text.data(), qint64(text.size()));
    }
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
    const double programKilobytes = double(QFile(path).size()) / 1024;

    std::printf(
        "opened in %lld ms (%.0f ms of processor time); idle window: %ld KiB, peak "
        "after opening: %ld KiB, program: %.0f KiB\n",
        static_cast<long long>(ms), cpu, idle, peak, programKilobytes);
    std::printf("opening needs %.2f times the program size above idle\n",
                double(peak - idle) / programKilobytes);
}
