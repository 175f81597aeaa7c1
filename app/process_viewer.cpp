#include "app/process_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include "common/follow_channel.h"
#include "common/follow_request_sender.h"
#include "windows/message_box.h"

namespace zivek::app {
namespace {

QString qpath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(path.c_str());
#endif
}

#ifdef Q_OS_WIN
const QString kViewerName = QStringLiteral("zivek-backplot.exe");
#else
const QString kViewerName = QStringLiteral("zivek-backplot");
#endif

// The program file is written and shown by then; only the drawing is missing, and the
// machinist is told where the viewer belongs.
QString viewerMissingText(const QString& folder, const QString& program) {
    return QStringLiteral(
               "Takım yolu gösterilemiyor: %1 başlatılamadı.\n\n"
               "G kodu programı yazıldı:\n%2\n\n"
               "Görüntüleyici %1 bu programla aynı klasörde olmalı:\n%3")
        .arg(kViewerName, QDir::toNativeSeparators(program), QDir::toNativeSeparators(folder));
}

// zivek-backplot from the folder, on the program file, directly: no shell reads the
// path.
void startBackplot(const QString& folder, const QString& program, const Workpiece& workpiece) {
    const QString viewer = QDir(folder).filePath(kViewerName);
    QStringList arguments;
    if (!workpiece.empty())
        arguments << QStringLiteral("--workpiece=") +
                         QString::fromStdString(workpieceText(workpiece));
    arguments << program;
    if (QFileInfo(viewer).isExecutable() && QProcess::startDetached(viewer, arguments)) return;
    // Once the press has ended and its window shows the program, on the window thread.
    QTimer::singleShot(0, qApp, [text = viewerMissingText(folder, program)] {
        windows::showMessage(QApplication::activeWindow(), text);
    });
}

#ifdef Q_OS_WIN
// The batch file works only at the root of C: (its last line names the program file
// there) and only with the outside viewer where it looks for it, which is seldom so.
bool batchFileWorks(const std::filesystem::path& batchFile) {
    const QFileInfo batch(qpath(batchFile));
    return batch.absolutePath().compare(QStringLiteral("C:/"), Qt::CaseInsensitive) == 0 &&
           QFileInfo(QStringLiteral("C:/Program Files/NCPlot v2.05/NCPlot.exe")).isFile();
}
#endif

// Short waits: a viewer that does not answer at once is treated as gone, and the press
// must not stall the window for long.
constexpr int kConnectMs = 250;
constexpr int kAnswerMs = 1500;

// True when a running viewer took the request.
bool askRunningViewer(const QString& program, const Workpiece& workpiece) {
    return askListeningViewer(followChannel(program),
                              followRequest(program, workpieceText(workpiece)), kConnectMs,
                              kAnswerMs);
}

}  // namespace

void ProcessViewer::start([[maybe_unused]] const std::filesystem::path& batchFile,
                          const std::filesystem::path& programFile, const Workpiece& workpiece) {
    const QString program = QFileInfo(qpath(programFile)).absoluteFilePath();
#ifdef Q_OS_WIN
    if (batchFileWorks(batchFile)) {
        QProcess::startDetached(
            QStringLiteral("cmd.exe"),
            {QStringLiteral("/c"), QStringLiteral("start"), QStringLiteral("/min"),
             QDir::toNativeSeparators(qpath(batchFile))});
        return;
    }
#endif
    if (askRunningViewer(program, workpiece)) return;
    startBackplot(viewerFolder_.isEmpty() ? QApplication::applicationDirPath() : viewerFolder_,
                  program, workpiece);
}

}  // namespace zivek::app
