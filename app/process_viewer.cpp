#include "app/process_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zivek::app {
namespace {

QString qpath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(path.c_str());
#endif
}

// zivek-backplot from the program's own folder, on the program file, directly: no shell
// reads the path. When it is not there, nothing is started and nothing is said.
void startBackplot(const std::filesystem::path& programFile) {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("zivek-backplot.exe");
#else
    const QString name = QStringLiteral("zivek-backplot");
#endif
    const QString viewer = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (!QFileInfo(viewer).isExecutable()) return;
    QProcess::startDetached(viewer, {QDir::toNativeSeparators(qpath(programFile))});
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

}  // namespace

void ProcessViewer::start([[maybe_unused]] const std::filesystem::path& batchFile,
                          const std::filesystem::path& programFile) {
#ifdef Q_OS_WIN
    if (batchFileWorks(batchFile)) {
        QProcess::startDetached(
            QStringLiteral("cmd.exe"),
            {QStringLiteral("/c"), QStringLiteral("start"), QStringLiteral("/min"),
             QDir::toNativeSeparators(qpath(batchFile))});
        return;
    }
#endif
    startBackplot(programFile);
}

}  // namespace zivek::app
