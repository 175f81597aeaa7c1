#include "viewer/file_claim.h"

#include <QDir>
#include <QFileInfo>

#include "common/follow_channel.h"
#include "common/follow_request_sender.h"

namespace zivek::backplot {
namespace {

// The viewer holding the lock is building its window, which on a slow machine with a long
// program takes a few seconds; after that the lock is taken whatever it says.
constexpr int kLockWaitMs = 15000;
// The viewer that listens answers from its event loop, once its window is up.
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 10000;

QString lockPath(const QString& program) {
    return QDir(QDir::tempPath())
        .filePath(zivek::app::followChannel(program) + QStringLiteral(".lock"));
}

bool handToListeningViewer(const QString& program, const QString& workpiece,
                           const GivenReading& given) {
    return zivek::app::askListeningViewer(
        zivek::app::followChannel(program),
        zivek::app::followRequest(program, workpiece.toStdString(), given.dialect, given.rapid),
        kConnectMs, kAnswerMs);
}

}  // namespace

FileClaim::FileClaim(const QString& program, const QString& workpiece, const GivenReading& given)
    : lock_(lockPath(QFileInfo(program).absoluteFilePath())) {
    // The lock of a viewer that ended while holding it is taken over: its process is gone.
    lock_.tryLock(kLockWaitMs);
    handedOver_ = handToListeningViewer(QFileInfo(program).absoluteFilePath(), workpiece, given);
    if (handedOver_) release();
}

}  // namespace zivek::backplot
