// LinuxCNC's o-word flow: subroutine calls with arguments and return values, loops
// (while, do-while, repeat) with break and continue, and if/elseif/else. Lines that open
// and close a structure share its o-word name; each loop pass spends the work budget
// like any other line, so an endless loop ends with the budget's warning.

#include <cmath>

#include "gcode/expression.h"
#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

constexpr std::size_t kNone = ProgramSource::kNoLine;

std::string_view trimmed(std::string_view s) {
    const std::size_t from = s.find_first_not_of(" \t");
    return from == std::string_view::npos ? std::string_view{} : s.substr(from);
}

Warning warningOf(ExprError e) {
    return e == ExprError::DivisionByZero || e == ExprError::Domain ? Warning::MathError
                                                                    : Warning::BadExpression;
}

}  // namespace

bool Interpreter::flowWord(std::size_t index, std::string_view line) {
    OWord o;
    if (!readOWord(line, o) || o.keyword.empty()) return false;
    if (o.keyword == "sub") {
        // A definition is skipped; it runs when called.
        if (const Sub* s = findSub(o.name); s && s->begin == index + 1) next_ = s->end + 1;
    } else if (o.keyword == "endsub" || o.keyword == "return") {
        // A value given back is read by the caller as #<_value>; none gives 0, and
        // #<_value_returned> tells the two apart.
        const bool given = !trimmed(o.rest).empty();
        params_.deferNamed("_value", given ? flowValue(o.rest, 0) : 0.0);
        params_.deferNamed("_value_returned", given ? 1.0 : 0.0);
        params_.commit();
        if (depth_ > 0) flow_.returnFromCall();
    } else if (o.keyword == "call") {
        callSub(index, o);
    } else if (!controlWord(index, o)) {
        warn(Warning::NotEvaluated, trimmed(line));
    }
    return true;
}

void Interpreter::callSub(std::size_t index, const OWord& o) {
    const Sub* s = findSub(o.name);
    if (s == nullptr && subroutines_ == nullptr) {
        warn(Warning::CycleMissingContour, std::string("o").append(o.name));
        return;
    }
    // The arguments, each in brackets, become #1, #2 ... of the call.
    std::vector<double> arguments;
    std::string_view rest = trimmed(o.rest);
    while (!rest.empty() && rest[0] == '[' && arguments.size() < Parameters::kArguments) {
        ExprError error = ExprError::None;
        double v = 0;
        const std::size_t used = readValue(rest, params_, v, error);
        if (used == 0) {
            warn(warningOf(error), rest);
            return;
        }
        arguments.push_back(v);
        rest = trimmed(rest.substr(used));
    }
    const auto run = [&](const Sub& sub) {
        params_.enterCall(arguments);
        // Through the endsub line, which may give a value back.
        callLines(sub.begin, sub.end + 1, 1);
        restoreModes();
        params_.leaveCall();
    };
    if (s != nullptr) {
        run(*s);
    } else {
        // Not in the program: a file of its own on the subroutine path.
        inSubroutineFile(o.name, run);
    }
    line_ = std::uint32_t(index);
}

// After a call whose subroutine saved its modes with M73: all but the motion mode, as
// LinuxCNC restores them.
void Interpreter::restoreModes() {
    const auto it = savedModes_.find(depth_ + 1);
    if (it == savedModes_.end()) return;
    const Motion motion = m_.motion;
    m_ = it->second;
    m_.motion = motion;
    savedModes_.erase(it);
}

double Interpreter::flowValue(std::string_view text, double otherwise) {
    text = trimmed(text);
    ExprError error = ExprError::None;
    double v = 0;
    if (readValue(text, params_, v, error) == 0) {
        warn(error == ExprError::None ? Warning::BadExpression : warningOf(error), text);
        return otherwise;
    }
    return v;
}

const Interpreter::FlowLine* Interpreter::flowLine(std::size_t index) {
    return source().flowLine(index);
}

// The nearest line of the same name, before or after, whose keyword is one of `to`.
std::size_t Interpreter::follow(std::size_t from, bool forward,
                                std::initializer_list<std::string_view> to) {
    const FlowLine* f = flowLine(from);
    while (f != nullptr) {
        from = forward ? f->next : f->prev;
        if (from == kNone) return kNone;
        f = flowLine(from);
        for (const std::string_view k : to)
            if (f->keyword == k) return from;
    }
    return kNone;
}

// At an if or a failed elseif: the branch whose condition holds runs, else the else.
void Interpreter::takeBranch(std::size_t from) {
    for (std::size_t at = from; at != kNone; at = follow(at, true, {"elseif", "else", "endif"})) {
        const FlowLine* f = flowLine(at);
        if (f->keyword == "else" || f->keyword == "endif") {
            next_ = at + 1;
            return;
        }
        OWord o;
        readOWord(source().line(at), o);
        line_ = std::uint32_t(at);
        if (flowValue(o.rest, 0) != 0) {
            next_ = at + 1;
            return;
        }
    }
    warn(Warning::NotEvaluated, "endif");
    next_ = source().lineCount();
}

bool Interpreter::controlWord(std::size_t index, const OWord& o) {
    const std::string& k = o.keyword;
    // The end of the loop an o-word inside it belongs to.
    const auto loopEnd = [&] { return follow(index, true, {"endwhile", "endrepeat", "while"}); };
    const auto jump = [&](std::size_t to, std::string_view missing) {
        if (to == kNone) {
            warn(Warning::NotEvaluated, missing);
            next_ = source().lineCount();
        } else {
            next_ = to;
        }
    };
    if (k == "if") {
        takeBranch(index);
        line_ = std::uint32_t(index);
    } else if (k == "elseif" || k == "else") {
        // The branch before it ran: the rest of the if is passed over.
        const std::size_t end = follow(index, true, {"endif"});
        jump(end == kNone ? kNone : end + 1, "endif");
    } else if (k == "while") {
        const std::size_t start = follow(index, false, {"do", "while", "endwhile", "endrepeat"});
        const FlowLine* s = start == kNone ? nullptr : flowLine(start);
        if (s != nullptr && s->keyword == "do") {
            if (flowValue(o.rest, 0) != 0) next_ = start + 1;
        } else if (flowValue(o.rest, 0) == 0) {
            const std::size_t end = follow(index, true, {"endwhile"});
            jump(end == kNone ? kNone : end + 1, "endwhile");
        }
    } else if (k == "endwhile") {
        jump(follow(index, false, {"while"}), "while");
    } else if (k == "repeat") {
        const double times = std::floor(flowValue(o.rest, 0));
        if (times >= 1) {
            repeats_[{depth_, index}] = times;
        } else {
            const std::size_t end = follow(index, true, {"endrepeat"});
            jump(end == kNone ? kNone : end + 1, "endrepeat");
        }
    } else if (k == "endrepeat") {
        const std::size_t start = follow(index, false, {"repeat"});
        const auto it = repeats_.find({depth_, start});
        if (it != repeats_.end() && --it->second >= 1) {
            next_ = start + 1;
        } else if (it != repeats_.end()) {
            repeats_.erase(it);
        }
    } else if (k == "break") {
        const std::size_t end = loopEnd();
        if (end != kNone) repeats_.erase({depth_, follow(end, false, {"repeat"})});
        jump(end == kNone ? kNone : end + 1, "endwhile");
    } else if (k == "continue") {
        // The loop's closing line decides: back to its test, or one pass fewer.
        jump(loopEnd(), "endwhile");
    } else {
        return k == "do" || k == "endif";
    }
    return true;
}

}  // namespace zivek::gcode
