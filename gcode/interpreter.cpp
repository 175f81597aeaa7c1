#include "gcode/interpreter.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace zivek::gcode {
namespace {

// A huge line of garbage must not grow a warning list as long as the line.
constexpr std::size_t kWarningsPerLine = 8;
constexpr std::size_t kWordTextMax = 24;
// Controls read blocks of a few hundred characters; CAM comments stay well below this.
constexpr std::size_t kLongLine = 1024;
constexpr int kMaxCallDepth = 16;

// Letters every line may carry: the motion words, what the control keeps as modal, and
// H, the tool length offset that G43 names and that leaves the drawn path as it is.
const std::uint32_t kAlwaysUsed = [] {
    std::uint32_t bits = 0;
    for (const char c : std::string_view("GMNOFSTXZUWYH")) bits |= Block::bit(c);
    return bits;
}();

}  // namespace

std::string lowerName(std::string_view name) {
    std::string s;
    for (const char c : name) s += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    // "O0100" and "o100" name the same program.
    const bool digits =
        !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        const auto first = s.find_first_not_of('0');
        s = first == std::string::npos ? "0" : s.substr(first);
    }
    return s;
}

bool Block::hasDecimal(char c) const {
    return text[std::size_t(c - 'A')].find('.') != std::string_view::npos;
}

Interpreter::Interpreter(std::string_view text, const ReadOptions& options, Toolpath& out)
    : text_(text), starts_(lineStarts(text)), out_(out), folders_(options.subroutineFolders) {
    out_.lineCount = starts_.size();
    out_.dialect = options.autoDialect ? detectDialect(text_, starts_) : options.dialect;
    rules_ = &rulesOf(out_.dialect);
    m_.diameter = rules_->xDiameter;
    m_.perRevolution = rules_->feedPerRevolution;
    out_.diameterMode = m_.diameter;
    // This system's own programs begin at the work zero, where the operator zeroed the
    // tool ("G0X0Y0" names no Z); the first move is still drawn as the path's start.
    zeroStart_ = knownZ_ = knownX_ = rules_->startAtWorkZero;
    // Each line runs once; calls and cycles may take as much again several times over.
    budget_ = 8 * starts_.size() + 2 * text.size() + 20000;
    params_.setStateValue([this](std::string_view name, int number, double& value) {
        return stateValue(name, number, value);
    });
}

void Interpreter::run() {
    runRange(0, starts_.size());
    // The control sends the moves still waiting for their next one at the program's end.
    // M2 and M30 end compensation as G40 does; a program that just stops leaves the
    // waiting moves as they are.
    if (!programEnd_) {
        nose_.drain();
    } else if (const CompensationFault f = nose_.stop(); f != CompensationFault::None) {
        warn(Warning::CompensationRefused, faultKey(f));
    }
    // Lines of a subroutine run at each call: one warning per line and kind is enough.
    auto& w = out_.warnings;
    std::stable_sort(w.begin(), w.end(),
                     [](const LineWarning& a, const LineWarning& b) { return a.line < b.line; });
    w.erase(std::unique(w.begin(), w.end(),
                        [](const LineWarning& a, const LineWarning& b) {
                            return a.line == b.line && a.code == b.code && a.word == b.word;
                        }),
            w.end());
}

bool Interpreter::spend(std::size_t work) {
    if (budget_ >= work) {
        budget_ -= work;
        return true;
    }
    if (!budgetWarned_) warn(Warning::ExpansionLimit);
    budgetWarned_ = true;
    budget_ = 0;
    stop_ = true;
    return false;
}

void Interpreter::runRange(std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    end = std::min(end, starts_.size());
    while (i < end && !stop_ && !returning_) {
        if (!spend(1)) return;
        next_ = i + 1;
        runLine(i);
        i = next_;
    }
}

void Interpreter::runLine(std::size_t index) {
    line_ = std::uint32_t(index);
    warned_ = 0;
    const std::string_view line = lineAt(text_, starts_, index);
    if (line.size() > kLongLine) warn(Warning::LongLine, std::to_string(line.size()));
    if (flowWord(index, line)) return;
    readBlock(line);
    applyModes();
    execute();
    line_ = std::uint32_t(index);  // a call in between ran other lines
    warnUnused();
}

void Interpreter::readBlock(std::string_view line) {
    readWords(line, words_, bad_, &params_);
    params_.commit();  // a line's settings take effect together, once it is read
    b_.present = b_.lost = b_.used = 0;
    setUnits(m_.inch);
    b_.gCodes.clear();
    b_.mCodes.clear();
    for (const BadToken& bad : bad_) {
        warn(bad.code, bad.text);
        if (bad.letter >= 'A' && bad.letter <= 'Z') b_.lost |= Block::bit(bad.letter);
    }
    for (const Word& w : words_) {
        if (w.letter < 'A' || w.letter > 'Z') continue;
        if (w.letter == 'G') {
            b_.gCodes.push_back(w.value);
            continue;
        }
        if (w.letter == 'M') {
            b_.mCodes.push_back(w.value);
            continue;
        }
        const auto i = std::size_t(w.letter - 'A');
        if (b_.has(w.letter)) warn(Warning::RepeatedWord, w.text);
        b_.value[i] = w.value;
        b_.text[i] = w.text;
        b_.present |= Block::bit(w.letter);
    }
}

void Interpreter::warnUnused() {
    const std::uint32_t unused = b_.present & ~(b_.used | kAlwaysUsed);
    if (unused == 0) return;
    for (const Word& w : words_)
        if (w.letter >= 'A' && w.letter <= 'Z' && (unused & Block::bit(w.letter)) &&
            b_.text[std::size_t(w.letter - 'A')] == w.text)
            warn(Warning::UnknownWord, w.text);
}

void Interpreter::warn(Warning code, std::string_view word) {
    word = word.substr(0, kWordTextMax);
    // What a subroutine file does is told on the program's line that called it.
    const std::uint32_t line = fileDepth_ > 0 ? fileCallLine_ : line_;
    // A cycle's passes or a repeated call say the same thing once.
    if (!out_.warnings.empty()) {
        const LineWarning& last = out_.warnings.back();
        if (last.line == line && last.code == code && last.word == word) return;
    }
    if (warned_ > kWarningsPerLine) return;
    if (warned_++ == kWarningsPerLine) {
        out_.warnings.push_back({line, Warning::TooManyWarnings, {}});
        return;
    }
    out_.warnings.push_back({line, code, std::string(word)});
}

std::size_t Interpreter::lineOfNumber(double n, std::size_t near) {
    if (!numbersBuilt_) {
        numbersBuilt_ = true;
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            const std::string_view l = lineAt(text_, starts_, i);
            const std::size_t at = l.find_first_not_of(" \t/");
            if (at == std::string_view::npos || (l[at] != 'N' && l[at] != 'n')) continue;
            double v = 0;
            bool ok = false;
            if (readNumber(l.substr(at + 1), v, ok) > 0 && ok)
                numbers_.emplace_back(v, std::uint32_t(i));
        }
        std::sort(numbers_.begin(), numbers_.end());
    }
    auto it = std::lower_bound(numbers_.begin(), numbers_.end(), std::pair{n, std::uint32_t(0)});
    const auto first = it;
    // The contour of a cycle follows it; the finishing cycle looks back.
    while (it != numbers_.end() && it->first == n && it->second <= near) ++it;
    if (it != numbers_.end() && it->first == n) return it->second;
    if (first != numbers_.end() && first->first == n) return first->second;
    return starts_.size();
}

const Interpreter::Sub* Interpreter::findSub(std::string_view name) {
    if (!subsBuilt_) {
        subsBuilt_ = true;
        std::map<std::string, std::size_t> open;
        OWord o;
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            if (!readOWord(lineAt(text_, starts_, i), o)) continue;
            const std::string key = lowerName(o.name);
            if (o.keyword == "sub") {
                open[key] = i;
            } else if (o.keyword == "endsub" && open.count(key)) {
                subs_.try_emplace(key, Sub{open[key] + 1, i});
                open.erase(key);
            } else if (o.keyword.empty()) {
                // A Fanuc subprogram "O1000" runs to its M99.
                subs_.try_emplace(key, Sub{i + 1, starts_.size()});
            }
        }
    }
    const auto it = subs_.find(lowerName(name));
    return it == subs_.end() ? nullptr : &it->second;
}

void Interpreter::callLines(std::size_t begin, std::size_t end, std::size_t times) {
    if (depth_ >= kMaxCallDepth) {
        warn(Warning::ExpansionLimit);
        return;
    }
    const std::size_t next = next_;
    const std::uint32_t line = line_;
    ++depth_;
    for (std::size_t t = 0; t < times && !stop_; ++t) {
        runRange(begin, end);
        returning_ = false;
    }
    --depth_;
    next_ = next;
    line_ = line;
}

bool Interpreter::capture(std::size_t begin, std::size_t end, std::vector<Segment>& out) {
    if (capture_ != nullptr || depth_ >= kMaxCallDepth) {
        warn(Warning::ExpansionLimit);
        return false;
    }
    const Modal modal = m_;
    const Point pos = pos_;
    const bool kz = knownZ_, kx = knownX_;
    const std::size_t next = next_;
    const std::uint32_t line = line_;
    capture_ = &out;
    ++depth_;
    runRange(begin, end);
    --depth_;
    capture_ = nullptr;
    returning_ = false;
    m_ = modal;
    pos_ = pos;
    knownZ_ = kz;
    knownX_ = kx;
    next_ = next;
    line_ = line;
    return true;
}

bool Interpreter::captureSub(std::string_view name, std::vector<Segment>& out) {
    if (const Sub* s = findSub(name)) return capture(s->begin, s->end, out);
    // A contour in a file of its own, on the subroutine path.
    bool captured = false;
    if (!folders_.empty()) {
        inSubroutineFile(name, [&](const Sub& s) { captured = capture(s.begin, s.end, out); });
        return captured;
    }
    warn(Warning::CycleMissingContour, "o" + std::string(name));
    return false;
}

Toolpath interpret(std::string_view program, const ReadOptions& options) {
    Toolpath path;
    // Programs run to three lines per pass, a third of them feed moves: reserve once.
    path.moves.reserve(program.size() / 12 + 16);
    Interpreter(program, options, path).run();
    summarize(path);
    return path;
}

}  // namespace zivek::gcode
