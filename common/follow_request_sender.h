#pragma once

// Handing a follow request to the viewer that listens for a program file: the wizard's
// press does it, and so does a viewer starting on a file another viewer already shows.

#include <QString>

#include "output/viewer_channel.h"

namespace zivek::app {

// True when the viewer listening on `channel` answered that it took the request; false
// when none answered within the times given (in milliseconds).
bool askListeningViewer(const QString& channel, const FollowRequest& request, int connectMs,
                        int answerMs);

}  // namespace zivek::app
