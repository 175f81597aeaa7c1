#include "output/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zivek {

double round3(double x) {
    const double product = x * 1000.0;
    if (!std::isfinite(product)) return x;
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(product) / 1000.0;
}

namespace {

// Collects characters into a NumberText's fixed buffer.
struct Chars {
    char* at;
    void push_back(char c) { *at++ = c; }
    void append(const char* text, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) *at++ = text[i];
    }
    void append(std::size_t count, char c) {
        for (std::size_t i = 0; i < count; ++i) *at++ = c;
    }
};

void appendDigits(Chars& out, std::uint64_t value) {
    char digits[20];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// Most written numbers are whole thousandths (every round3 result, whole feeds): for
// those below 1e12 the nearest double rounded to 15 digits gives back exactly k/1000,
// so the text comes from the integer k without a general conversion.
bool appendThousandths(Chars& out, double m) {
    if (!(m < 1e12)) return false;
    const double k = std::nearbyint(m * 1000.0);
    if (k < 1.0 || k / 1000.0 != m) return false;
    const auto whole = static_cast<std::uint64_t>(k);
    const std::uint64_t units = whole / 1000;
    std::uint64_t fraction = whole % 1000;
    if (units != 0) appendDigits(out, units);
    if (fraction != 0) {
        char digits[4] = {'.', static_cast<char>('0' + fraction / 100),
                          static_cast<char>('0' + fraction / 10 % 10),
                          static_cast<char>('0' + fraction % 10)};
        std::size_t length = 4;
        while (digits[length - 1] == '0') --length;
        out.append(digits, length);
    }
    return true;
}

void appendGeneral(Chars& out, double m) {
    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, m, std::chars_format::scientific, 14);
    const char* mark = buffer;
    while (*mark != 'e') ++mark;
    int exponent = 0;
    std::from_chars(mark + (mark[1] == '+' ? 2 : 1), end, exponent);

    char significant[15];
    int count = 0;
    for (const char* c = buffer; c != mark; ++c)
        if (*c != '.') significant[count++] = *c;
    while (count > 1 && significant[count - 1] == '0') --count;

    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out.push_back('.');
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out.append(significant, static_cast<std::size_t>(count));
            return;
        }
        const int wholeDigits = exponent + 1;
        for (int i = 0; i < wholeDigits; ++i) out.push_back(i < count ? significant[i] : '0');
        if (count > wholeDigits) {
            out.push_back('.');
            out.append(significant + wholeDigits, static_cast<std::size_t>(count - wholeDigits));
        }
        return;
    }
    out.push_back(significant[0]);
    if (count > 1) {
        out.push_back('.');
        out.append(significant + 1, static_cast<std::size_t>(count - 1));
    }
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out.push_back('0');
    appendDigits(out, static_cast<std::uint64_t>(magnitude));
}

}  // namespace

NumberText::NumberText(double magnitude) {
    double m = std::fabs(magnitude);
    Chars out{text_};
    // A program never carries "inf" or "nan": the cycles' arithmetic can only reach
    // them from extreme typed values, and the nearest writable value stands in.
    if (std::isnan(m) || m == 0.0) {
        out.push_back('0');
    } else {
        if (std::isinf(m)) m = std::numeric_limits<double>::max();
        if (!appendThousandths(out, m)) appendGeneral(out, m);
    }
    length_ = static_cast<unsigned>(out.at - text_);
}

void appendNumberText(std::string& out, double magnitude) {
    out.append(NumberText(magnitude).view());
}

std::string signedNumberText(double value) {
    std::string text;
    if (value < 0) text.push_back('-');
    appendNumberText(text, value);
    return text;
}

}  // namespace zivek
