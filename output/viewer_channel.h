#pragma once

// How a press finds the viewer that already shows its program file, and what it tells
// it: plain text, the same on both sides of the local socket.

#include <optional>
#include <string>
#include <string_view>

namespace zivek {

// The name a viewer listens under for one user's program file: the same user and the
// same file give the same name, anything else another. Both are UTF-8, as the request's
// path.
std::string viewerChannelName(std::string_view user, std::string_view programPath);

// A request to show a program file anew, with the workpiece of the press (may be empty).
// A second viewer also passes on how it was told to read the program; the press does not.
struct FollowRequest {
    std::string programPath;  // UTF-8 on every platform
    std::string workpiece;    // as workpieceText writes it
    std::string dialect;      // the --dialect key ("fanuc"); empty: detected as usual
    std::string rapid;        // the --rapid rate in mm/min as written; empty: the viewer's own
    friend bool operator==(const FollowRequest&, const FollowRequest&) = default;
};

std::string followRequestText(const FollowRequest& request);
// Nothing until the whole request has arrived, or for text that is none.
std::optional<FollowRequest> readFollowRequest(std::string_view text);

// What the viewer answers once it has taken the request.
inline constexpr std::string_view kFollowAnswer = "ok\n";

}  // namespace zivek
