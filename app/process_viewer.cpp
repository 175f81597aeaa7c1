#include "app/process_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>

#include "output/viewer_channel.h"

namespace zivek::app {
namespace {

QString qpath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(path.c_str());
#endif
}

#ifndef Q_OS_WIN
// Short waits: a viewer that does not answer at once is treated as gone, and the press
// must not stall the window for long.
constexpr int kConnectMs = 250;
constexpr int kAnswerMs = 1500;

// True when a running viewer took the request.
bool askRunningViewer(const QString& program, const Workpiece& workpiece) {
    const QString channel = QString::fromStdString(viewerChannelName(
        qEnvironmentVariable("USER").toStdString(), QFile::encodeName(program).toStdString()));
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(kConnectMs)) return false;
    const std::string request =
        followRequestText({QFile::encodeName(program).toStdString(), workpieceText(workpiece)});
    socket.write(request.data(), qint64(request.size()));
    if (!socket.waitForBytesWritten(kAnswerMs)) return false;
    QByteArray answer;
    while (answer.size() < qsizetype(kFollowAnswer.size()) && socket.waitForReadyRead(kAnswerMs))
        answer += socket.readAll();
    return answer.startsWith(QByteArray(kFollowAnswer.data(), qsizetype(kFollowAnswer.size())));
}
#endif

}  // namespace

void ProcessViewer::start([[maybe_unused]] const std::filesystem::path& batchFile,
                          [[maybe_unused]] const std::filesystem::path& programFile,
                          [[maybe_unused]] const Workpiece& workpiece) {
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("cmd.exe"),
                            {QStringLiteral("/c"), QStringLiteral("start"), QStringLiteral("/min"),
                             QDir::toNativeSeparators(qpath(batchFile))});
#else
    const QString program = QFileInfo(qpath(programFile)).absoluteFilePath();
    if (askRunningViewer(program, workpiece)) return;
    const QString folder =
        viewerFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : viewerFolder_;
    const QString viewer = QDir(folder).filePath(QStringLiteral("zivek-backplot"));
    if (!QFileInfo(viewer).isExecutable()) return;
    QStringList arguments;
    if (!workpiece.empty())
        arguments << QStringLiteral("--workpiece=") +
                         QString::fromStdString(workpieceText(workpiece));
    arguments << program;
    QProcess::startDetached(viewer, arguments);
#endif
}

}  // namespace zivek::app
