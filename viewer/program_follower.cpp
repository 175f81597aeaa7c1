#include "viewer/program_follower.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocalServer>
#include <QLocalSocket>

#include "common/follow_channel.h"

namespace zivek::backplot {
namespace {
// Long enough for the steps of one press, short enough to feel immediate.
constexpr int kSettleMs = 250;
// A request is a few hundred bytes; anything far larger is no press.
constexpr qsizetype kLongestRequest = 1 << 20;
}  // namespace

ProgramFollower::ProgramFollower(QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), watcher_(new QFileSystemWatcher(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] {
        watchAgain();
        emit changedOnDisk();
    });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ProgramFollower::pathTouched);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ProgramFollower::pathTouched);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void ProgramFollower::follow(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute == path_ && server_->isListening()) {
        watchAgain();
        return;
    }
    path_ = absolute;
    server_->close();
    const QString channel = zivek::app::followChannel(path_);
    // A viewer that ended without closing leaves its socket file behind; one that still
    // answers keeps it.
    if (!server_->listen(channel)) {
        QLocalSocket probe;
        probe.connectToServer(channel);
        if (!probe.waitForConnected(100)) {
            QLocalServer::removeServer(channel);
            server_->listen(channel);
        }
    }
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    watcher_->addPath(QFileInfo(path_).absolutePath());
    watchAgain();
}

bool ProgramFollower::listening() const {
    return server_->isListening();
}

void ProgramFollower::watchAgain() {
    const QFileInfo info(path_);
    seenSize_ = info.exists() ? info.size() : -1;
    seenTime_ = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    // A file that was deleted drops out of the watch; it is added again once it is back.
    if (info.exists() && !watcher_->files().contains(path_)) watcher_->addPath(path_);
}

void ProgramFollower::pathTouched() {
    // The folder changes with every file in it: only this one counts.
    const QFileInfo info(path_);
    const qint64 size = info.exists() ? info.size() : -1;
    const qint64 time = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    if (size == seenSize_ && time == seenTime_ && watcher_->files().contains(path_)) return;
    settle_.start();
}

void ProgramFollower::readRequest(QLocalSocket* socket) {
    // A request may arrive in pieces; what came so far stays with its socket.
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    if (request.size() > kLongestRequest) {
        socket->abort();
        return;
    }
    const auto taken = readFollowRequest(std::string_view(request.constData(), request.size()));
    if (!taken) {
        socket->setProperty("request", request);
        return;
    }
    socket->setProperty("request", QByteArray());
    settle_.stop();
    emit pressed(zivek::app::requestedProgram(*taken), QString::fromStdString(taken->workpiece),
                 QString::fromStdString(taken->dialect), QString::fromStdString(taken->rapid));
    watchAgain();
    socket->write(kFollowAnswer.data(), qint64(kFollowAnswer.size()));
    socket->flush();
}

}  // namespace zivek::backplot
