#include "output/viewer_channel.h"

#include <cstdint>

namespace zivek {
namespace {

constexpr std::string_view kRequestHead = "zivek-backplot/1\n";

// FNV-1a: a short stable digest, so that a long or non-ASCII path still gives a name
// every platform accepts for a local socket.
std::uint64_t digest(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

std::string hex(std::uint64_t value) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (std::size_t i = text.size(); i-- > 0; value >>= 4) text[i] = digits[value & 15];
    return text;
}

std::string safeUser(std::string_view user) {
    std::string out;
    for (const char c : user.substr(0, 32))
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-')
            out += c;
    return out.empty() ? std::string("user") : out;
}

}  // namespace

std::string viewerChannelName(std::string_view user, std::string_view programPath) {
    std::string key(user);
    key += '\0';
    key += programPath;
    return "zivek-backplot-" + safeUser(user) + "-" + hex(digest(key));
}

std::string followRequestText(const FollowRequest& request) {
    std::string text(kRequestHead);
    text += request.programPath;
    text += '\n';
    text += request.workpiece;
    text += '\n';
    return text;
}

std::optional<FollowRequest> readFollowRequest(std::string_view text) {
    if (!text.starts_with(kRequestHead)) return std::nullopt;
    text.remove_prefix(kRequestHead.size());
    const std::size_t pathEnd = text.find('\n');
    if (pathEnd == std::string_view::npos || pathEnd == 0) return std::nullopt;
    const std::size_t workpieceEnd = text.find('\n', pathEnd + 1);
    if (workpieceEnd == std::string_view::npos) return std::nullopt;
    return FollowRequest{std::string(text.substr(0, pathEnd)),
                         std::string(text.substr(pathEnd + 1, workpieceEnd - pathEnd - 1))};
}

}  // namespace zivek
