#include <cmath>
#include <cstring>
#include <optional>

#include "viewer/gcode_words.h"
#include "viewer/toolpath.h"

namespace zivek::backplot {
namespace {

// A huge line of garbage must not grow a warning list as long as the line.
constexpr std::size_t kWarningsPerLine = 8;
constexpr std::size_t kWordTextMax = 24;

bool isWhole(double v, int n) {
    return v == double(n);
}

bool knownMCode(double v) {
    for (int m : {0, 1, 2, 3, 4, 5, 8, 9, 30})
        if (isWhole(v, m)) return true;
    return false;
}

struct AxisWords {
    std::optional<double> x, z, u, w;
    bool any() const { return x || z || u || w; }
};

bool ignoredG(double v) {
    return v >= 54 && v <= 59 && v == std::floor(v);  // work offsets: the path is the same
}

class LineReader {
  public:
    explicit LineReader(Toolpath& out) : out_(out) {}

    void read(std::string_view text, std::uint32_t line) {
        line_ = line;
        warned_ = 0;
        readWords(text, words_, bad_);
        for (const BadToken& b : bad_) warn(b.code, b.text);
        AxisWords axes;
        for (const Word& word : words_) apply(word, axes);
        if (axes.any()) move(axes);
    }

  private:
    void apply(const Word& word, AxisWords& axes) {
        switch (word.letter) {
            case 'G':
                if (isWhole(word.value, 0) || isWhole(word.value, 1)) {
                    mode_ = isWhole(word.value, 0) ? MoveKind::Rapid : MoveKind::Feed;
                } else if (isWhole(word.value, 2) || isWhole(word.value, 3)) {
                    // An arc still cuts: shown as a straight feed to its end point.
                    mode_ = MoveKind::Feed;
                    warn(Warning::UnsupportedG, word.text);
                } else if (!ignoredG(word.value)) {
                    warn(Warning::UnsupportedG, word.text);
                }
                return;
            case 'M':
                if (!knownMCode(word.value)) warn(Warning::UnsupportedM, word.text);
                return;
            case 'X':
                axes.x = word.value;
                return;
            case 'Z':
                axes.z = word.value;
                return;
            case 'U':
                axes.u = word.value;
                return;
            case 'W':
                axes.w = word.value;
                return;
            case 'F':
                feed_ = word.value;
                return;
            case 'Y':  // two-axis lathe: nothing to move
            case 'S':
            case 'N':
            case 'O':  // program number
            case 'T':
                return;
            default:
                warn(Warning::UnknownWord, word.text);
        }
    }

    void move(const AxisWords& axes) {
        if (axes.x && axes.u) warn(Warning::AbsoluteAndIncremental, "X/U");
        if (axes.z && axes.w) warn(Warning::AbsoluteAndIncremental, "Z/W");
        Point to = position_;
        to.x = axes.x ? *axes.x : to.x + axes.u.value_or(0);
        to.z = axes.z ? *axes.z : to.z + axes.w.value_or(0);
        if (!std::isfinite(to.x) || !std::isfinite(to.z)) {
            warn(Warning::OutOfRange, {});
            return;
        }
        if (!mode_) {
            warn(Warning::NoMotionMode, {});
            mode_ = MoveKind::Rapid;
        }
        if (*mode_ == MoveKind::Feed && !(feed_ > 0)) warn(Warning::NoFeedRate, {});
        out_.moves.push_back({*mode_, position_, to, line_, feed_});
        position_ = to;
    }

    void warn(Warning code, std::string_view word) {
        if (warned_ > kWarningsPerLine) return;
        if (warned_++ == kWarningsPerLine) {
            out_.warnings.push_back({line_, Warning::TooManyWarnings, {}});
            return;
        }
        out_.warnings.push_back({line_, code, std::string(word.substr(0, kWordTextMax))});
    }

    Toolpath& out_;
    std::vector<Word> words_;
    std::vector<BadToken> bad_;
    std::optional<MoveKind> mode_;
    Point position_;
    double feed_ = 0;
    std::uint32_t line_ = 0;
    std::size_t warned_ = 0;
};

template <typename Fn>
std::size_t forEachLine(std::string_view text, Fn&& fn) {
    std::size_t index = 0;
    std::size_t from = 0;
    while (from < text.size()) {
        const void* nl = std::memchr(text.data() + from, '\n', text.size() - from);
        const std::size_t end =
            nl ? std::size_t(static_cast<const char*>(nl) - text.data()) : text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        fn(line, index++);
        from = end + 1;
    }
    return index;
}

}  // namespace

double Move::length() const {
    return std::hypot(to.z - from.z, to.x - from.x);
}

void Extent::add(Point p) {
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.z, p.z), std::min(min.x, p.x)};
    max = {std::max(max.z, p.z), std::max(max.x, p.x)};
}

Summary summarize(const std::vector<Move>& moves) {
    Summary s;
    for (const Move& m : moves) {
        const double len = m.length();
        s.extent.add(m.from);
        s.extent.add(m.to);
        if (m.kind == MoveKind::Rapid) {
            ++s.rapidMoves;
            s.rapidLength += len;
            continue;
        }
        ++s.feedMoves;
        s.feedLength += len;
        if (m.feed > 0) {
            s.cuttingMinutes += len / m.feed;
        } else {
            ++s.feedMovesWithoutRate;
        }
    }
    return s;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line, std::size_t) { lines.push_back(line); });
    return lines;
}

Toolpath interpret(std::string_view program) {
    Toolpath path;
    // Programs run to three lines per pass, a third of them feed moves: reserve once.
    path.moves.reserve(program.size() / 12 + 16);
    LineReader reader(path);
    path.lineCount = forEachLine(program, [&](std::string_view line, std::size_t index) {
        reader.read(line, static_cast<std::uint32_t>(index));
    });
    path.summary = summarize(path.moves);
    return path;
}

}  // namespace zivek::backplot
