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

}  // namespace

void ProcessViewer::start([[maybe_unused]] const std::filesystem::path& batchFile,
                          [[maybe_unused]] const std::filesystem::path& programFile) {
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("cmd.exe"),
                            {QStringLiteral("/c"), QStringLiteral("start"), QStringLiteral("/min"),
                             QDir::toNativeSeparators(qpath(batchFile))});
#else
    const QString folder =
        viewerFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : viewerFolder_;
    const QString viewer = QDir(folder).filePath(QStringLiteral("zivek-backplot"));
    if (!QFileInfo(viewer).isExecutable()) return;
    QProcess::startDetached(viewer, {qpath(programFile)});
#endif
}

}  // namespace zivek::app
