#include "common/follow_request_sender.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <string>
#include <string_view>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

// The viewer listens with QLocalServer; the wizard reaches it with the system's own
// calls, so that its start-up does not load Qt Network for a press that may never come.
// The names are QLocalServer's: a socket file in the temporary folder on Unix, a named
// pipe on Windows.

namespace zivek::app {
namespace {

bool answered(std::string_view answer) {
    return answer.substr(0, kFollowAnswer.size()) == kFollowAnswer;
}

#ifdef Q_OS_WIN

class Pipe {
  public:
    explicit Pipe(HANDLE handle) : handle_(handle) {}
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

HANDLE openPipe(const std::wstring& name, int connectMs) {
    const QDeadlineTimer deadline(connectMs);
    for (;;) {
        const HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE || GetLastError() != ERROR_PIPE_BUSY) return pipe;
        // Every instance is busy with another press: wait for one, within the time given.
        const auto left = deadline.remainingTime();
        if (left <= 0 || !WaitNamedPipeW(name.c_str(), DWORD(left))) return INVALID_HANDLE_VALUE;
    }
}

bool askOnce(const QString& channel, std::string_view request, int connectMs, int answerMs) {
    const std::wstring name = (QStringLiteral("\\\\.\\pipe\\") + channel).toStdWString();
    const Pipe pipe(openPipe(name, connectMs));
    if (pipe.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    if (!WriteFile(pipe.get(), request.data(), DWORD(request.size()), &written, nullptr) ||
        written != request.size())
        return false;
    // The answer is read only once it is there, so that a viewer that never answers
    // costs no more than the time given.
    const QDeadlineTimer deadline(answerMs);
    std::string answer;
    while (answer.size() < kFollowAnswer.size()) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(pipe.get(), nullptr, 0, nullptr, &waiting, nullptr)) return false;
        if (waiting == 0) {
            if (deadline.hasExpired()) return false;
            Sleep(5);
            continue;
        }
        char buffer[16];
        DWORD got = 0;
        if (!ReadFile(pipe.get(), buffer, DWORD(sizeof buffer), &got, nullptr) || got == 0)
            return false;
        answer.append(buffer, got);
    }
    return answered(answer);
}

#else

class Socket {
  public:
    Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

// Waits for `events` on the socket until the deadline; false when it passed first.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
    for (;;) {
        pollfd one{fd, events, 0};
        const int ready = ::poll(&one, 1, int(deadline.remainingTime()));
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

bool askOnce(const QString& channel, std::string_view request, int connectMs, int answerMs) {
    const QByteArray path = QFile::encodeName(QDir::cleanPath(QDir::tempPath()) + u'/' + channel);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const Socket socket;
    if (socket.get() < 0) return false;
    const QDeadlineTimer connecting(connectMs);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS && errno != EAGAIN) return false;
        if (!waitFor(socket.get(), POLLOUT, connecting)) return false;
        int fault = 0;
        socklen_t size = sizeof fault;
        if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &fault, &size) != 0 || fault != 0)
            return false;
    }
    const QDeadlineTimer deadline(answerMs);
    while (!request.empty()) {
        if (!waitFor(socket.get(), POLLOUT, deadline)) return false;
        const ssize_t sent = ::send(socket.get(), request.data(), request.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (sent > 0) request.remove_prefix(std::size_t(sent));
    }
    std::string answer;
    while (answer.size() < kFollowAnswer.size()) {
        if (!waitFor(socket.get(), POLLIN, deadline)) return false;
        char buffer[16];
        const ssize_t got = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) return false;
        if (got > 0) answer.append(buffer, std::size_t(got));
    }
    return answered(answer);
}

#endif

}  // namespace

bool askListeningViewer(const QString& channel, const FollowRequest& request, int connectMs,
                        int answerMs) {
    return askOnce(channel, followRequestText(request), connectMs, answerMs);
}

}  // namespace zivek::app
