#pragma once

// What the wizard's press and a second viewer must compute exactly as the listening
// viewer does: the socket's name for a program file, and the file's path in a request.
// The path travels as UTF-8 on every platform. Windows' 8-bit code page may have no "ğ"
// or "ş": a path cut down to it names another file, or none, and shares its socket with
// that file. On Linux these are the bytes of the file's name, as they always were.

#include <QString>
#include <string>

#include "output/viewer_channel.h"

namespace zivek::app {

// The user's login name, as the system sets it for the session.
QString loginName();

// The socket a viewer listens on for this user's program file (an absolute path).
QString followChannel(const QString& program);

// A request to show `program` anew with the workpiece as workpieceText wrote it, and the
// program a request names once it has arrived.
FollowRequest followRequest(const QString& program, std::string workpiece);
// A second viewer's request: also the dialect key and rapid rate it was started with.
FollowRequest followRequest(const QString& program, std::string workpiece, const QString& dialect,
                            const QString& rapid);
QString requestedProgram(const FollowRequest& request);

}  // namespace zivek::app
