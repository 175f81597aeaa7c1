#include "common/follow_request_sender.h"

#include <QByteArray>
#include <QLocalSocket>
#include <string>

namespace zivek::app {

bool askListeningViewer(const QString& channel, const FollowRequest& request, int connectMs,
                        int answerMs) {
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(connectMs)) return false;
    const std::string text = followRequestText(request);
    socket.write(text.data(), qint64(text.size()));
    if (!socket.waitForBytesWritten(answerMs)) return false;
    QByteArray answer;
    while (answer.size() < qsizetype(kFollowAnswer.size()) && socket.waitForReadyRead(answerMs))
        answer += socket.readAll();
    return answer.startsWith(QByteArray(kFollowAnswer.data(), qsizetype(kFollowAnswer.size())));
}

}  // namespace zivek::app
