#include "output/reading_rule.h"

#include <charconv>
#include <limits>
#include <string>

namespace zivek {
namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the numeric prefix, with the skipped characters left out, into an ASCII
// form that std::from_chars reads without regard to any locale.
struct Prefix {
    bool negative = false;
    std::string mantissa;  // digits and at most one "."
    std::string exponent;  // "e", optional "-", digits; empty when absent
    bool sawDigit = false;
    // Decimal position of the leading significant digit, before the exponent, for
    // telling an overflow from an underflow.
    long long leadingDigitPosition = 0;
};

Prefix collect(std::string_view text) {
    Prefix p;
    enum class Stage { Sign, Mantissa, ExponentSign, ExponentDigits } stage = Stage::Sign;
    bool sawPoint = false;
    bool sawSignificant = false;
    long long integerDigits = 0;
    long long zerosAfterPoint = 0;
    std::size_t exponentMark = 0;  // length of p.exponent up to the letter and sign
    for (char c : text) {
        if (isSkipped(c)) continue;
        switch (stage) {
            case Stage::Sign:
                stage = Stage::Mantissa;
                if (c == '+' || c == '-') {
                    p.negative = (c == '-');
                    continue;
                }
                [[fallthrough]];
            case Stage::Mantissa:
                if (isDigit(c)) {
                    p.sawDigit = true;
                    p.mantissa.push_back(c);
                    if (c != '0') sawSignificant = true;
                    if (!sawPoint && sawSignificant) ++integerDigits;
                    if (sawPoint && !sawSignificant) ++zerosAfterPoint;
                    continue;
                }
                if (c == '.' && !sawPoint) {
                    sawPoint = true;
                    p.mantissa.push_back(c);
                    continue;
                }
                if ((c == 'e' || c == 'E') && p.sawDigit) {
                    stage = Stage::ExponentSign;
                    p.exponent = "e";
                    exponentMark = 1;
                    continue;
                }
                goto done;
            case Stage::ExponentSign:
                stage = Stage::ExponentDigits;
                if (c == '+' || c == '-') {
                    if (c == '-') p.exponent.push_back('-');
                    exponentMark = p.exponent.size();
                    continue;
                }
                [[fallthrough]];
            case Stage::ExponentDigits:
                if (isDigit(c)) {
                    p.exponent.push_back(c);
                    continue;
                }
                goto done;
        }
    }
done:
    // An exponent letter without digits is not part of the number.
    if (p.exponent.size() == exponentMark) p.exponent.clear();
    p.leadingDigitPosition = integerDigits > 0 ? integerDigits : -zerosAfterPoint;
    return p;
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
