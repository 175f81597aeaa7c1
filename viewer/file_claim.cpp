#include "viewer/file_claim.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include "output/viewer_channel.h"
#include "viewer/program_follower.h"

namespace zivek::backplot {
namespace {

// The viewer holding the lock is building its window, which on a slow machine with a long
// program takes a few seconds; after that the lock is taken whatever it says.
constexpr int kLockWaitMs = 15000;
// The viewer that listens answers from its event loop, once its window is up.
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 10000;

QString lockPath(const QString& program) {
    return QDir(QDir::tempPath()).filePath(followChannel(program) + QStringLiteral(".lock"));
}

bool handToListeningViewer(const QString& program, const QString& workpiece) {
    QLocalSocket socket;
    socket.connectToServer(followChannel(program));
    if (!socket.waitForConnected(kConnectMs)) return false;
    const std::string request =
        followRequestText({QFile::encodeName(program).toStdString(), workpiece.toStdString()});
    socket.write(request.data(), qint64(request.size()));
    if (!socket.waitForBytesWritten(kAnswerMs)) return false;
    QByteArray answer;
    while (answer.size() < qsizetype(kFollowAnswer.size()) && socket.waitForReadyRead(kAnswerMs))
        answer += socket.readAll();
    return answer.startsWith(QByteArray(kFollowAnswer.data(), qsizetype(kFollowAnswer.size())));
}

}  // namespace

FileClaim::FileClaim(const QString& program, const QString& workpiece)
    : lock_(lockPath(QFileInfo(program).absoluteFilePath())) {
    // The lock of a viewer that ended while holding it is taken over: its process is gone.
    lock_.tryLock(kLockWaitMs);
    handedOver_ = handToListeningViewer(QFileInfo(program).absoluteFilePath(), workpiece);
    if (handedOver_) release();
}

}  // namespace zivek::backplot
