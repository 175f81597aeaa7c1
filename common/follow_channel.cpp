#include "common/follow_channel.h"

#include <utility>

namespace zivek::app {
namespace {

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

QString loginName() {
#ifdef Q_OS_WIN
    return qEnvironmentVariable("USERNAME");
#else
    return qEnvironmentVariable("USER");
#endif
}

QString followChannel(const QString& program) {
    return QString::fromStdString(viewerChannelName(utf8(loginName()), utf8(program)));
}

FollowRequest followRequest(const QString& program, std::string workpiece) {
    return {utf8(program), std::move(workpiece), {}, {}};
}

FollowRequest followRequest(const QString& program, std::string workpiece, const QString& dialect,
                            const QString& rapid) {
    return {utf8(program), std::move(workpiece), utf8(dialect), utf8(rapid)};
}

QString requestedProgram(const FollowRequest& request) {
    return QString::fromUtf8(request.programPath.data(), qsizetype(request.programPath.size()));
}

}  // namespace zivek::app
