#include "output/reading_rule.h"

#include <charconv>
#include <limits>
#include <string>
#include <utility>

namespace zivek {
namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Collects the numeric prefix, with the skipped characters left out, into an ASCII
// form that std::from_chars reads without regard to any locale.
struct Prefix {
    bool negative = false;
    std::string mantissa;  // digits and at most one ".", whichever mark was typed
    std::string exponent;  // "e", optional "-", digits; empty when absent
    bool sawDigit = false;
    // Decimal position of the leading significant digit, before the exponent, for
    // telling an overflow from an underflow.
    long long leadingDigitPosition = 0;
};

// Takes the characters of a box one by one while they continue the number.
class PrefixReader {
  public:
    bool take(char c) {
        switch (stage_) {
            case Stage::Sign:
                stage_ = Stage::Mantissa;
                if (c == '+' || c == '-') {
                    prefix_.negative = (c == '-');
                    return true;
                }
                return takeMantissa(c);
            case Stage::Mantissa:
                return takeMantissa(c);
            case Stage::ExponentSign:
                stage_ = Stage::ExponentDigits;
                if (c == '+' || c == '-') {
                    if (c == '-') prefix_.exponent.push_back('-');
                    return true;
                }
                return takeExponentDigit(c);
            case Stage::ExponentDigits:
                return takeExponentDigit(c);
        }
        return false;
    }

    Prefix finish() {
        // An exponent letter without digits is not part of the number.
        if (!exponentDigits_) prefix_.exponent.clear();
        prefix_.leadingDigitPosition = integerDigits_ > 0 ? integerDigits_ : -zerosAfterPoint_;
        return std::move(prefix_);
    }

  private:
    bool takeMantissa(char c) {
        if (isDigit(c)) {
            prefix_.sawDigit = true;
            prefix_.mantissa.push_back(c);
            if (c != '0') sawSignificant_ = true;
            if (!sawPoint_ && sawSignificant_) ++integerDigits_;
            if (sawPoint_ && !sawSignificant_) ++zerosAfterPoint_;
            return true;
        }
        // Turkish writes the decimal comma; either mark is the point, once.
        if ((c == '.' || c == ',') && !sawPoint_) {
            sawPoint_ = true;
            prefix_.mantissa.push_back('.');
            return true;
        }
        if ((c == 'e' || c == 'E') && prefix_.sawDigit) {
            stage_ = Stage::ExponentSign;
            prefix_.exponent = 'e';
            return true;
        }
        return false;
    }

    bool takeExponentDigit(char c) {
        if (!isDigit(c)) return false;
        prefix_.exponent.push_back(c);
        exponentDigits_ = true;
        return true;
    }

    enum class Stage { Sign, Mantissa, ExponentSign, ExponentDigits } stage_ = Stage::Sign;
    Prefix prefix_;
    bool sawPoint_ = false;
    bool sawSignificant_ = false;
    bool exponentDigits_ = false;
    long long integerDigits_ = 0;
    long long zerosAfterPoint_ = 0;
};

Prefix collect(std::string_view text) {
    PrefixReader reader;
    for (const char c : text) {
        if (isSkipped(c)) continue;
        if (!reader.take(c)) break;
    }
    return reader.finish();
}

// The exponent's value, saturated far beyond the range of a double.
long long exponentValue(const std::string& exponent) {
    long long value = 0;
    bool negative = false;
    for (char c : exponent) {
        if (c == '-') negative = true;
        if (isDigit(c) && value < 1'000'000'000) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace

double readNumber(std::string_view text) {
    const Prefix p = collect(text);
    if (!p.sawDigit) return 0.0;
    const std::string number = p.mantissa + p.exponent;
    double magnitude = 0.0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        // Too large for a double reads as the largest finite one, too small as zero.
        const bool overflow = p.leadingDigitPosition + exponentValue(p.exponent) > 0;
        magnitude = overflow ? std::numeric_limits<double>::max() : 0.0;
    }
    (void)end;
    return p.negative ? -magnitude : magnitude;
}

}  // namespace zivek
