#include "gcode/expression.h"

#include <cmath>
#include <numbers>

#include "gcode/gcode_words.h"

namespace zivek::gcode {
namespace {

enum class Op : std::uint8_t {
    None,
    Power,
    Times,
    Divide,
    Mod,
    Plus,
    Minus,
    Eq,
    Ne,
    Gt,
    Ge,
    Lt,
    Le,
    And,
    Or,
    Xor,
    Close,
};

// LinuxCNC's binding, tightest first; operators of one level go left to right, the
// power too ("2**3**2" is 64).
int precedence(Op op) {
    switch (op) {
        case Op::Power:
            return 6;
        case Op::Times:
        case Op::Divide:
        case Op::Mod:
            return 5;
        case Op::Plus:
        case Op::Minus:
            return 4;
        case Op::Eq:
        case Op::Ne:
        case Op::Gt:
        case Op::Ge:
        case Op::Lt:
        case Op::Le:
            return 3;
        case Op::And:
        case Op::Or:
        case Op::Xor:
            return 2;
        default:
            return 0;
    }
}

// LinuxCNC calls two values equal within this tolerance.
constexpr double kEqualWithin = 1e-4;
constexpr double kDegree = std::numbers::pi / 180;

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

class Reader {
  public:
    Reader(std::string_view s, const Parameters& p) : s_(s), p_(p) {}

    double real() {
        // "####...1" and "----1" nest as deeply as brackets do.
        if (++depth_ > kMaxDepth) return fail(ExprError::Syntax);
        const double v = value();
        --depth_;
        return v;
    }
    double value() {
        blanks();
        if (i_ >= s_.size()) return fail(ExprError::Syntax);
        const char c = s_[i_];
        if (c == '[') return bracket();
        if (c == '#') return parameter();
        if (c == '-' || c == '+') {
            ++i_;
            const double v = real();
            return c == '-' ? -v : v;
        }
        if (isLetter(c)) return function();
        double v = 0;
        bool ok = false;
        const std::size_t used = readNumber(s_.substr(i_), v, ok);
        if (used == 0 || !ok) return fail(ExprError::Syntax);
        i_ += used;
        return v;
    }

    std::size_t at() const { return i_; }
    ExprError error() const { return error_; }
    // The parameter a setting names: a number, or a name with `named` set.
    bool target(double& number, std::string_view& name) {
        if (i_ >= s_.size() || s_[i_] != '#') return false;
        ++i_;
        if (i_ < s_.size() && s_[i_] == '<') return nameAt(name);
        number = real();
        return error_ == ExprError::None;
    }
    bool expect(char c) {
        blanks();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        fail(ExprError::Syntax);
        return false;
    }

  private:
    double fail(ExprError e) {
        if (error_ == ExprError::None) error_ = e;
        i_ = s_.size();
        return 0;
    }
    void blanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) ++i_;
    }
    bool word(std::string_view w) {
        if (s_.size() - i_ < w.size()) return false;
        for (std::size_t k = 0; k < w.size(); ++k)
            if (upper(s_[i_ + k]) != w[k]) return false;
        i_ += w.size();
        return true;
    }
    Op op() {
        blanks();
        if (i_ >= s_.size()) return Op::None;
        switch (s_[i_]) {
            case ']':
                ++i_;
                return Op::Close;
            case '+':
                ++i_;
                return Op::Plus;
            case '-':
                ++i_;
                return Op::Minus;
            case '/':
                ++i_;
                return Op::Divide;
            case '*':
                ++i_;
                return word("*") ? Op::Power : Op::Times;
            default:
                break;
        }
        struct Named {
            std::string_view text;
            Op op;
        };
        static constexpr Named kNamed[] = {
            {"MOD", Op::Mod}, {"EQ", Op::Eq}, {"NE", Op::Ne},   {"GT", Op::Gt}, {"GE", Op::Ge},
            {"LT", Op::Lt},   {"LE", Op::Le}, {"AND", Op::And}, {"OR", Op::Or}, {"XOR", Op::Xor},
        };
        for (const Named& n : kNamed)
            if (word(n.text)) return n.op;
        return Op::None;
    }
    double apply(Op o, double a, double b) {
        switch (o) {
            case Op::Power:
                if (a < 0 && b != std::floor(b)) return fail(ExprError::Domain);
                return std::pow(a, b);
            case Op::Times:
                return a * b;
            case Op::Divide:
                if (b == 0) return fail(ExprError::DivisionByZero);
                return a / b;
            case Op::Mod: {
                if (b == 0) return fail(ExprError::DivisionByZero);
                // The result takes the divisor's size but never its sign: -7 MOD 3 is 2.
                const double r = std::fmod(a, b);
                return r < 0 ? r + std::abs(b) : r;
            }
            case Op::Plus:
                return a + b;
            case Op::Minus:
                return a - b;
            case Op::Eq:
                return std::abs(a - b) < kEqualWithin ? 1 : 0;
            case Op::Ne:
                return std::abs(a - b) < kEqualWithin ? 0 : 1;
            case Op::Gt:
                return a > b ? 1 : 0;
            case Op::Ge:
                return a >= b ? 1 : 0;
            case Op::Lt:
                return a < b ? 1 : 0;
            case Op::Le:
                return a <= b ? 1 : 0;
            case Op::And:
                return (a != 0 && b != 0) ? 1 : 0;
            case Op::Or:
                return (a != 0 || b != 0) ? 1 : 0;
            case Op::Xor:
                return ((a != 0) != (b != 0)) ? 1 : 0;
            default:
                return fail(ExprError::Syntax);
        }
    }
    // After "[": operands and operators up to the matching "]", by precedence.
    double bracket() {
        ++i_;
        double values[8];
        Op ops[8];
        int n = 0;
        values[0] = real();
        for (;;) {
            const Op o = op();
            if (o == Op::None) return fail(ExprError::Syntax);
            // Fold what binds at least as tightly as the operator that follows.
            while (n > 0 && precedence(ops[n - 1]) >= precedence(o)) {
                values[n - 1] = apply(ops[n - 1], values[n - 1], values[n]);
                --n;
            }
            if (error_ != ExprError::None) return 0;
            if (o == Op::Close) break;
            ops[n++] = o;
            values[n] = real();
            if (error_ != ExprError::None) return 0;
        }
        if (!std::isfinite(values[0])) return fail(ExprError::Domain);
        return values[0];
    }
    bool nameAt(std::string_view& name) {
        const std::size_t close = s_.find('>', i_);
        if (close == std::string_view::npos) {
            fail(ExprError::Syntax);
            return false;
        }
        name = s_.substr(i_ + 1, close - i_ - 1);
        i_ = close + 1;
        return true;
    }
    double parameter() {
        ++i_;
        double v = 0;
        if (i_ < s_.size() && s_[i_] == '<') {
            std::string_view name;
            if (!nameAt(name)) return 0;
            if (!p_.getNamed(name, v)) return fail(ExprError::UnknownName);
            return v;
        }
        const double number = real();
        if (error_ != ExprError::None) return 0;
        if (!p_.get(number, v)) return fail(ExprError::Syntax);
        return v;
    }
    double function() {
        std::size_t end = i_;
        while (end < s_.size() && isLetter(s_[end])) ++end;
        std::string name;
        for (std::size_t k = i_; k < end; ++k) name += upper(s_[k]);
        i_ = end;
        blanks();
        if (i_ >= s_.size() || s_[i_] != '[') return fail(ExprError::Syntax);
        if (name == "EXISTS") {
            ++i_;
            blanks();
            std::string_view param;
            if (!(i_ < s_.size() && s_[i_] == '#' && ++i_ < s_.size() && s_[i_] == '<' &&
                  nameAt(param) && expect(']')))
                return fail(ExprError::Syntax);
            return p_.exists(param) ? 1 : 0;
        }
        const double a = bracket();
        if (error_ != ExprError::None) return 0;
        if (name == "ATAN") {
            if (!expect('/')) return 0;
            blanks();
            if (i_ >= s_.size() || s_[i_] != '[') return fail(ExprError::Syntax);
            const double b = bracket();
            return std::atan2(a, b) / kDegree;
        }
        return unary(name, a);
    }
    double unary(const std::string& name, double a) {
        if (name == "ABS") return std::abs(a);
        if (name == "ACOS" || name == "ASIN") {
            if (a < -1 || a > 1) return fail(ExprError::Domain);
            return (name == "ACOS" ? std::acos(a) : std::asin(a)) / kDegree;
        }
        if (name == "COS") return std::cos(a * kDegree);
        if (name == "SIN") return std::sin(a * kDegree);
        if (name == "TAN") return std::tan(a * kDegree);
        if (name == "EXP") {
            const double v = std::exp(a);
            return std::isfinite(v) ? v : fail(ExprError::Domain);
        }
        if (name == "LN") return a > 0 ? std::log(a) : fail(ExprError::Domain);
        if (name == "SQRT") return a >= 0 ? std::sqrt(a) : fail(ExprError::Domain);
        if (name == "FIX") return std::floor(a);
        if (name == "FUP") return std::ceil(a);
        // Halves round away from zero: ROUND[-2.5] is -3.
        if (name == "ROUND") return a < 0 ? -std::floor(-a + 0.5) : std::floor(a + 0.5);
        return fail(ExprError::Syntax);
    }

    static constexpr int kMaxDepth = 64;
    std::string_view s_;
    const Parameters& p_;
    std::size_t i_ = 0;
    int depth_ = 0;
    ExprError error_ = ExprError::None;
};

}  // namespace

std::size_t readValue(std::string_view s, const Parameters& params, double& value,
                      ExprError& error) {
    Reader r(s, params);
    value = r.real();
    error = r.error();
    return error == ExprError::None ? r.at() : 0;
}

std::size_t readSetting(std::string_view s, Parameters& params, ExprError& error) {
    Reader r(s, params);
    double number = 0;
    std::string_view name;
    double value = 0;
    const bool named = s.size() > 1 && s[1] == '<';
    if (r.target(number, name) && r.expect('=')) value = r.real();
    error = r.error();
    if (error != ExprError::None) return 0;
    if (named) {
        if (!params.deferNamed(name, value)) error = ExprError::ReadOnly;
    } else if (!params.defer(number, value)) {
        double unused = 0;
        // A number in range that cannot be set is one the interpreter's state gives.
        error = params.get(number, unused) ? ExprError::ReadOnly : ExprError::Syntax;
        if (error == ExprError::Syntax) return 0;
    }
    return r.at();
}

}  // namespace zivek::gcode
