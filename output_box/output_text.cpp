#include "output_box/output_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "output_box/spare_room.h"

namespace zivek::windows {
namespace {

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

enum class Kind { Word, Space, LineEnd, Mark };

// Every byte of a non-ASCII character counts as a letter, so a run of one kind
// never ends inside a character.
Kind kindOf(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    if (c == '\n') return Kind::LineEnd;
    if (c == ' ' || c == '\t') return Kind::Space;
    if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
        return Kind::Word;
    return Kind::Mark;
}

// Beyond the sum of any line's ASCII advances (a 64th of a pixel each); and beyond the
// sum of any line's other bytes, for a CR.
constexpr std::uint64_t kOtherByte = std::uint64_t{1} << 40;
constexpr std::uint64_t kReturnByte = std::uint64_t{1} << 52;

}  // namespace

void normaliseLineEnds(std::string& text) {
    if (text.find('\r') == std::string::npos) return;
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        if (text[in] != '\r') {
            text[out++] = text[in];
            continue;
        }
        text[out++] = '\n';
        if (in + 1 < text.size() && text[in + 1] == '\n') ++in;
    }
    text.resize(out);
}

OutputText::OutputText() : starts_{0} {}

void OutputText::assign(std::string text) {
    text_ = std::move(text);
    // Lines of a program take a dozen bytes and more, so this is room enough without
    // counting them first; room never used is never touched. The table of the text
    // before is used again where it is large enough: its pages are in memory already.
    const std::size_t room = text_.size() / 8 + 1;
    starts_.clear();
    if (starts_.capacity() < room) {
        starts_.shrink_to_fit();
        starts_.reserve(room);
    }
    starts_.push_back(0);
    utf16Starts_ = {};
    measureAll(true);
    nonAsciiLines_ = static_cast<std::size_t>(
        std::count_if(otherLines_.begin(), otherLines_.end(),
                      [this](std::uint32_t l) { return !isAscii(line(static_cast<int>(l))); }));
    measureOtherLines();
    // The press made its text in room for the blanks it took out, and this pass took out
    // the CRs: those pages are given back rather than kept with the text.
    releaseRoomAfter(text_);
}

void OutputText::setMeasure(LineMeasure measure) {
    measure_ = std::move(measure);
    measureAll(false);
    measureOtherLines();
}

// One pass: CR LF and a lone CR become LF, in place, and the line starts and widths
// are found together, the width from the ASCII table; lines with other bytes are
// measured once all is read.
void OutputText::measureAll(bool findStarts) {
    widest_ = 0;
    widestCount_ = 0;
    otherLines_.clear();
    // The advances of all 256 bytes, those of other characters so large that a line
    // holding one shows it in its sum, and larger still for a CR: one look-up a byte.
    std::array<std::uint64_t, 256> advance{};
    for (std::size_t c = 0; c < 256; ++c)
        advance[c] = c < 0x80 ? static_cast<std::uint64_t>(measure_.ascii[c]) : kOtherByte;
    advance['\r'] = kReturnByte;
    const char* in = text_.data();
    const char* const end = in + text_.size();
    char* out = text_.data();
    std::uint32_t line = 0;
    const auto newLine = [&] {
        *out++ = '\n';
        ++line;
        if (findStarts) starts_.push_back(static_cast<std::uint32_t>(out - text_.data()));
    };
    for (;;) {
        const void* lf = std::memchr(in, '\n', static_cast<std::size_t>(end - in));
        const char* const stop = lf != nullptr ? static_cast<const char*>(lf) : end;
        // CR LF ends the line as LF does.
        const char* const content =
            lf != nullptr && stop != in && stop[-1] == '\r' ? stop - 1 : stop;
        const char* const from = in;
        std::uint64_t width = 0;
        for (; in != content; ++in) {
            width += advance[static_cast<unsigned char>(*in)];
            *out++ = *in;
        }
        if (width < kOtherByte) {
            countWidth(static_cast<int>(width), +1);
        } else if (width < kReturnByte) {
            otherLines_.push_back(line);
        } else {
            // A CR alone is a line end of its own; the pieces are measured once all is
            // read. The line is read again where it was copied to, as copying it in
            // place may have written over where it stood.
            const char* copied = out - (content - from);
            const char* const copiedEnd = out;
            out -= content - from;
            for (; copied != copiedEnd; ++copied) {
                if (*copied != '\r') {
                    *out++ = *copied;
                    continue;
                }
                otherLines_.push_back(line);
                newLine();
            }
            otherLines_.push_back(line);
        }
        if (lf == nullptr) break;
        in = stop + 1;
        newLine();
    }
    text_.resize(static_cast<std::size_t>(out - text_.data()));
}

void OutputText::measureOtherLines() {
    for (const std::uint32_t l : otherLines_) countWidth(measure(line(static_cast<int>(l))), +1);
    otherLines_ = {};
}

int OutputText::measure(std::string_view line) const {
    int width = 0;
    for (char byte : line) {
        const auto c = static_cast<unsigned char>(byte);
        if (c >= 0x80) return measure_.other ? measure_.other(line) : width;
        width += measure_.ascii[c];
    }
    return width;
}

// Keeps the widest width and how many lines have it, so that a shorter line only
// calls for a new search when it was the last one that wide.
void OutputText::countWidth(int width, int sign) {
    if (sign > 0) {
        if (width > widest_) {
            widest_ = width;
            widestCount_ = 0;
        }
        if (width == widest_) ++widestCount_;
    } else if (width == widest_ && widestCount_ > 0) {
        --widestCount_;
    }
}

void OutputText::replace(std::size_t from, std::size_t to, std::string_view with) {
    const int first = lineOf(from);
    const int last = lineOf(to);
    for (int l = first; l <= last; ++l) {
        countWidth(measure(line(l)), -1);
        if (!isAscii(line(l))) --nonAsciiLines_;
    }
    utf16Starts_ = {};

    text_.replace(from, to - from, with);

    // The starts inside the replaced bytes give way to those of the new bytes; the
    // later ones move by the change in length.
    std::vector<std::uint32_t> added;
    for (std::size_t i = with.find('\n'); i != std::string_view::npos; i = with.find('\n', i + 1))
        added.push_back(static_cast<std::uint32_t>(from + i + 1));
    const auto begin = starts_.begin() + first + 1;
    const auto tail =
        starts_.insert(starts_.erase(begin, begin + (last - first)), added.begin(), added.end()) +
        static_cast<std::ptrdiff_t>(added.size());
    const auto delta = static_cast<std::uint32_t>(with.size() - (to - from));  // wraps if shorter
    for (auto it = tail; it != starts_.end(); ++it) *it += delta;

    for (int l = first; l <= first + static_cast<int>(added.size()); ++l) {
        countWidth(measure(line(l)), +1);
        if (!isAscii(line(l))) ++nonAsciiLines_;
    }
    if (widestCount_ == 0) {
        widest_ = 0;
        for (int l = 0; l < lineCount(); ++l) countWidth(measure(line(l)), +1);
    }
}

int OutputText::lineOf(std::size_t pos) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), pos);
    return static_cast<int>(after - starts_.begin()) - 1;
}

std::size_t OutputText::lineEnd(int line) const {
    const auto next = static_cast<std::size_t>(line) + 1;
    return next < starts_.size() ? starts_[next] - 1 : text_.size();
}

std::string_view OutputText::line(int line) const {
    const std::size_t start = lineStart(line);
    return std::string_view(text_).substr(start, lineEnd(line) - start);
}

std::size_t OutputText::nextChar(std::size_t pos) const {
    if (pos >= text_.size()) return text_.size();
    ++pos;
    while (pos < text_.size() && isContinuation(text_[pos])) ++pos;
    return pos;
}

std::size_t OutputText::previousChar(std::size_t pos) const {
    if (pos == 0) return 0;
    --pos;
    while (pos > 0 && isContinuation(text_[pos])) --pos;
    return pos;
}

// To the start of the next word: over the rest of this word (or marks), then the
// blanks after it; a line end is a step of its own.
std::size_t OutputText::nextWord(std::size_t pos) const {
    const std::size_t n = text_.size();
    if (pos >= n) return n;
    const Kind kind = kindOf(text_[pos]);
    if (kind == Kind::LineEnd) return pos + 1;
    if (kind != Kind::Space)
        while (pos < n && kindOf(text_[pos]) == kind) ++pos;
    while (pos < n && kindOf(text_[pos]) == Kind::Space) ++pos;
    return pos;
}

std::size_t OutputText::previousWord(std::size_t pos) const {
    while (pos > 0 && kindOf(text_[pos - 1]) == Kind::Space) --pos;
    if (pos == 0) return 0;
    const Kind kind = kindOf(text_[pos - 1]);
    if (kind == Kind::LineEnd) return pos - 1;
    while (pos > 0 && kindOf(text_[pos - 1]) == kind) --pos;
    return pos;
}

std::pair<std::size_t, std::size_t> OutputText::wordAround(std::size_t pos) const {
    const std::size_t n = text_.size();
    std::size_t at = pos;
    if (at >= n || text_[at] == '\n') {
        if (at == 0 || text_[at - 1] == '\n') return {pos, pos};
        at = previousChar(at);
    }
    const Kind kind = kindOf(text_[at]);
    std::size_t begin = at;
    std::size_t end = at;
    while (begin > 0 && kindOf(text_[begin - 1]) == kind) --begin;
    while (end < n && kindOf(text_[end]) == kind) ++end;
    return {begin, end};
}

int OutputText::utf16Offset(std::size_t pos) const {
    pos = std::min(pos, text_.size());
    if (nonAsciiLines_ == 0) return static_cast<int>(pos);
    if (utf16Starts_.empty()) {
        utf16Starts_.reserve(starts_.size());
        std::uint32_t units = 0;
        for (int l = 0; l < lineCount(); ++l) {
            utf16Starts_.push_back(units);
            units += static_cast<std::uint32_t>(utf16Length(line(l))) + 1;
        }
    }
    const int l = lineOf(pos);
    return static_cast<int>(utf16Starts_[static_cast<std::size_t>(l)]) +
           utf16Length(std::string_view(text_).substr(lineStart(l), pos - lineStart(l)));
}

std::size_t OutputText::positionOfUtf16(int offset) const {
    if (offset <= 0) return 0;
    if (nonAsciiLines_ == 0) return std::min(static_cast<std::size_t>(offset), text_.size());
    utf16Offset(0);  // builds the table
    const auto after = std::upper_bound(utf16Starts_.begin(), utf16Starts_.end(),
                                        static_cast<std::uint32_t>(offset));
    const int l = static_cast<int>(after - utf16Starts_.begin()) - 1;
    const int within = offset - static_cast<int>(utf16Starts_[static_cast<std::size_t>(l)]);
    return lineStart(l) + byteOffsetOfUtf16(line(l), within);
}

int utf16Length(std::string_view bytes) {
    int units = 0;
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c & 0xC0) != 0x80) ++units;
        if (c >= 0xF0) ++units;  // outside the basic plane: a surrogate pair
    }
    return units;
}

std::size_t byteOffsetOfUtf16(std::string_view bytes, int units) {
    std::size_t i = 0;
    while (i < bytes.size() && units > 0) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        units -= c >= 0xF0 ? 2 : 1;
        ++i;
        while (i < bytes.size() && isContinuation(bytes[i])) ++i;
    }
    return i;
}

}  // namespace zivek::windows
