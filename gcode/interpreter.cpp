#include "gcode/interpreter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "gcode/dialects.h"
#include "gcode/tool_descriptions.h"

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

bool Block::hasDecimal(char c) const {
    return text[std::size_t(c - 'A')].find('.') != std::string_view::npos;
}

Interpreter::Interpreter(std::string_view text, const ReadOptions& options, Toolpath& out)
    : top_(&program_), out_(out), program_(text), subroutines_(subroutinesOf(options)) {
    out_.lineCount = program_.lineCount();
    if (options.autoDialect) {
        DetectedDialect detected = detectDialect(program_.text(), program_.starts());
        out_.dialect = detected.dialect;
        out_.dialectChoice = {false, detected.doubtful, std::move(detected.reasons)};
    } else {
        out_.dialect = options.dialect;
        out_.dialectChoice.chosenByHand = true;
    }
    rules_ = &rulesOf(out_.dialect);
    tools_.table = options.tools;
    dropBlanks_ = rules_->blanksInsideWords;
    m_.diameter = rules_->xDiameter;
    m_.perRevolution = rules_->feedPerRevolution;
    out_.diameterMode = m_.diameter;
    out_.startsAtWorkZero = rules_->startAtWorkZero;
    // This system's own programs begin at the work zero, where the operator zeroed the
    // tool ("G0X0Y0" names no Z); the first move is still drawn as the path's start.
    tool_.zeroStart = tool_.knownZ = tool_.knownX = rules_->startAtWorkZero;
    // Each line runs once; calls and cycles may take as much again several times over.
    budget_ = 8 * program_.lineCount() + 2 * text.size() + 20000;
    params_.setStateValue([this](std::string_view name, int number, double& value) {
        return stateValue(name, number, value);
    });
}

void Interpreter::run() {
    runRange(0, program_.lineCount());
    dropIdleToolChange();
    describeTools(out_.tools, program_.text(), program_.starts());
    // The control sends the moves still waiting for their next one at the program's end.
    // M2 and M30 end compensation as G40 does; a program that just stops leaves the
    // waiting moves as they are.
    if (!flow_.endedByProgramEnd()) {
        nose_.drain();
    } else if (const CompensationFault f = nose_.stop(); f != CompensationFault::None) {
        warn(f);
    }
    // Lines of a subroutine run at each call: one warning per line and kind is enough.
    auto& w = out_.warnings;
    std::stable_sort(w.begin(), w.end(),
                     [](const LineWarning& a, const LineWarning& b) { return a.line < b.line; });
    w.erase(std::unique(w.begin(), w.end()), w.end());
}

bool Interpreter::budgetSpent() {
    if (!budgetWarned_) warn(Warning::ExpansionLimit);
    budgetWarned_ = true;
    budget_ = 0;
    flow_.stop();
    return false;
}

void Interpreter::runRange(std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    end = std::min(end, source().lineCount());
    while (i < end && flow_.running()) {
        if (!spend(1)) return;
        next_ = i + 1;
        runLine(i);
        i = next_;
    }
}

void Interpreter::runLine(std::size_t index) {
    line_ = std::uint32_t(index);
    warned_ = 0;
    const std::string_view line = source().line(index);
    if (line.size() > kLongLine) warn(Warning::LongLine, std::to_string(line.size()));
    if (flowWord(index, line)) return;
    readBlock(line);
    applyModes();
    execute();
    line_ = std::uint32_t(index);  // a call in between ran other lines
    warnUnused();
}

void Interpreter::readBlock(std::string_view line) {
    if (dropBlanks_) line = withoutBlanks(line, joined_);
    readWords(line, words_, bad_, &params_);
    params_.commit();  // a line's settings take effect together, once it is read
    b_.present = b_.lost = b_.used = 0;
    // Modes restored (M73, a contour read) may bring other units back.
    if (m_.inch != pathUnits_.inForceInch) setUnits(m_.inch);
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

void Interpreter::warn(Warning code, std::string_view word, CompensationFault fault) {
    word = word.substr(0, kWordTextMax);
    // What a subroutine file does is told on the program's line that called it.
    const std::uint32_t line = readingFile() ? fileCallLine_ : line_;
    // A cycle's passes or a repeated call say the same thing once.
    if (!out_.warnings.empty()) {
        const LineWarning& last = out_.warnings.back();
        if (last.line == line && last.code == code && last.word == word && last.fault == fault)
            return;
    }
    if (warned_ > kWarningsPerLine) return;
    if (warned_++ == kWarningsPerLine) {
        out_.warnings.push_back({line, Warning::TooManyWarnings, {}});
        return;
    }
    out_.warnings.push_back({line, code, std::string(word), fault});
}

std::size_t Interpreter::lineOfNumber(double n, std::size_t near) {
    return source().lineOfNumber(n, near);
}

const Interpreter::Sub* Interpreter::findSub(std::string_view name) {
    return source().findSub(name);
}

void Interpreter::callLines(std::size_t begin, std::size_t end, std::size_t times) {
    if (depth_ >= kMaxCallDepth) {
        warn(Warning::ExpansionLimit);
        return;
    }
    const std::size_t next = next_;
    const std::uint32_t line = line_;
    ++depth_;
    for (std::size_t t = 0; t < times && !flow_.stopped(); ++t) {
        runRange(begin, end);
        flow_.returned();
    }
    --depth_;
    next_ = next;
    line_ = line;
}

bool Interpreter::readContour(std::size_t begin, std::size_t end, std::vector<Segment>& out) {
    if (sink_ != &path_ || depth_ >= kMaxCallDepth) {
        warn(Warning::ExpansionLimit);
        return false;
    }
    const Modal modal = m_;
    const ToolPosition tool = tool_;
    const std::size_t next = next_;
    const std::uint32_t line = line_;
    ContourSink contour(b_, rules_->contourCorners, rules_->contourArcsAsWritten);
    sink_ = &contour;
    ++depth_;
    runRange(begin, end);
    --depth_;
    sink_ = &path_;
    flow_.returned();
    m_ = modal;
    // A contour move drawn from the start has used up the zero-start mark, as any move does.
    tool_ = {tool.at, tool.knownZ, tool.knownX, tool_.zeroStart};
    next_ = next;
    line_ = line;
    out = std::move(contour.moves);
    return true;
}

bool Interpreter::readContourSub(std::string_view name, std::vector<Segment>& out) {
    if (const Sub* s = findSub(name)) return readContour(s->begin, s->end, out);
    // A contour in a file of its own, on the subroutine path.
    bool found = false;
    if (subroutines_ != nullptr) {
        inSubroutineFile(name, [&](const Sub& s) { found = readContour(s.begin, s.end, out); });
        return found;
    }
    warn(Warning::CycleMissingContour, std::string("o").append(name));
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
