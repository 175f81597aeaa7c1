#include "output/viewer_channel.h"

#include <cstdint>

namespace zivek {
namespace {

constexpr std::string_view kRequestHead = "zivek-backplot/1\n";
// A request that also carries reading choices: two more lines. Without them the bytes
// stay those of the first head, which every viewer reads.
constexpr std::string_view kChoicesHead = "zivek-backplot/2\n";
static_assert(kChoicesHead.size() == kRequestHead.size());

// The next line of `text` from `from`, moving `from` past its end; none when unfinished.
std::optional<std::string_view> nextLine(std::string_view text, std::size_t& from) {
    const std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text.substr(from, end - from);
    from = end + 1;
    return line;
}

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
    const bool choices = !request.dialect.empty() || !request.rapid.empty();
    std::string text(choices ? kChoicesHead : kRequestHead);
    text += request.programPath;
    text += '\n';
    text += request.workpiece;
    text += '\n';
    if (choices) {
        text += request.dialect;
        text += '\n';
        text += request.rapid;
        text += '\n';
    }
    return text;
}

std::optional<FollowRequest> readFollowRequest(std::string_view text) {
    const bool choices = text.starts_with(kChoicesHead);
    if (!choices && !text.starts_with(kRequestHead)) return std::nullopt;
    std::size_t at = kRequestHead.size();
    const auto path = nextLine(text, at);
    if (!path || path->empty()) return std::nullopt;
    const auto workpiece = nextLine(text, at);
    if (!workpiece) return std::nullopt;
    FollowRequest request{std::string(*path), std::string(*workpiece), {}, {}};
    if (choices) {
        const auto dialect = nextLine(text, at);
        const auto rapid = dialect ? nextLine(text, at) : std::nullopt;
        if (!rapid) return std::nullopt;
        request.dialect = *dialect;
        request.rapid = *rapid;
    }
    return request;
}

}  // namespace zivek
