#include "output_box/output_text.h"

#include <algorithm>
#include <utility>

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
    normaliseLineEnds(text_);
    // Reserved exactly, so that growing the vector never holds two copies at once.
    starts_.clear();
    starts_.shrink_to_fit();
    starts_.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) + 1);
    starts_.push_back(0);
    nonAsciiLines_ = 0;
    utf16Starts_ = {};
    measureAll(true);
}

void OutputText::setMeasure(LineMeasure measure) {
    measure_ = std::move(measure);
    measureAll(false);
}

// One pass: the line starts and the widths together, the width from the ASCII table
// unless the line holds other bytes.
void OutputText::measureAll(bool findStarts) {
    widest_ = 0;
    widestCount_ = 0;
    std::size_t lineBegin = 0;
    int width = 0;
    bool plain = true;
    const std::size_t n = text_.size();
    for (std::size_t i = 0; i <= n; ++i) {
        const auto c = i < n ? static_cast<unsigned char>(text_[i]) : '\n';
        if (c != '\n') {
            if (c < 0x80)
                width += measure_.ascii[c];
            else
                plain = false;
            continue;
        }
        if (!plain) {
            width = measure(std::string_view(text_).substr(lineBegin, i - lineBegin));
            if (findStarts) ++nonAsciiLines_;
        }
        countWidth(width, +1);
        if (findStarts && i < n) starts_.push_back(static_cast<std::uint32_t>(i + 1));
        lineBegin = i + 1;
        width = 0;
        plain = true;
    }
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
