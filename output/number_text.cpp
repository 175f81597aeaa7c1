#include "output/number_text.h"

#include <charconv>
#include <limits>

namespace zivek {

double round3(double x) {
    const double product = x * 1000.0;
    if (!std::isfinite(product)) return x;
    return detail::wholeHalfEven(product) / 1000.0;
}

namespace detail {

constexpr Fractions makeFractions() {
    Fractions table{};
    for (unsigned f = 1; f < 1000; ++f) {
        const unsigned char digits[4] = {'.', static_cast<unsigned char>('0' + f / 100),
                                         static_cast<unsigned char>('0' + f / 10 % 10),
                                         static_cast<unsigned char>('0' + f % 10)};
        std::uint8_t length = 4;
        while (digits[length - 1] == '0') --length;
        std::uint32_t word = 0;
        for (unsigned i = 0; i < length; ++i)
            word |= static_cast<std::uint32_t>(digits[i]) << (8 * i);
        table.text[f] = word;
        table.length[f] = length;
    }
    return table;
}

constinit const Fractions fractions = makeFractions();

}  // namespace detail

namespace {

// Collects characters into a NumberText's words.
struct Chars {
    char* at;
    char* end;
    void push_back(char c) { *at++ = c; }
    void append(const char* text, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) *at++ = text[i];
    }
    void append(std::size_t count, char c) {
        for (std::size_t i = 0; i < count; ++i) *at++ = c;
    }
    void appendDigits(std::uint64_t value) { at = std::to_chars(at, end, value).ptr; }
};

// Whole thousandths up to 1e12, beyond the word-wise digits: the same text, from the
// integer k.
bool appendWholeThousandths(Chars& out, double m) {
    if (!(m < 1e12)) return false;
    const double k = detail::wholeHalfEven(m * 1000.0);
    if (k < 1.0 || k / 1000.0 != m) return false;
    const auto whole = static_cast<std::uint64_t>(k);
    if (whole >= 1000) out.appendDigits(whole / 1000);
    const std::uint32_t point = detail::fractions.text[whole % 1000];
    for (unsigned i = 0; i < detail::fractions.length[whole % 1000]; ++i)
        out.push_back(static_cast<char>(point >> (8 * i)));
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

    char significant[15] = {};  // filled below; zeroed so the optimiser need not prove it
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
    out.appendDigits(static_cast<std::uint64_t>(magnitude));
}

}  // namespace

void NumberText::writeGeneral(double magnitude) {
    double m = std::fabs(magnitude);
    char* const start = reinterpret_cast<char*>(words_);
    Chars out{start, start + paddedSize};
    // A program never carries "inf" or "nan": the cycles' arithmetic can only reach
    // them from extreme typed values, and the nearest writable value stands in.
    if (std::isnan(m) || m == 0.0) {
        out.push_back('0');
    } else {
        if (std::isinf(m)) m = std::numeric_limits<double>::max();
        if (!appendWholeThousandths(out, m)) appendGeneral(out, m);
    }
    length_ = static_cast<unsigned>(out.at - start);
}

NumberText::NumberText(double magnitude) {
    const double m = std::fabs(magnitude);
    // Most written numbers are whole thousandths (every round3 result, whole feeds).
    if (m < fastBound / 1000.0) {
        const double k = detail::wholeHalfEven(m * 1000.0);
        if (k / 1000.0 == m) {
            *this = ofThousandths(static_cast<std::uint64_t>(k));
            return;
        }
    }
    writeGeneral(m);
}

NumberText NumberText::ofRound3Beyond(double x, double k) {
    // Where round3 left x as it was, x is written; otherwise round3's result.
    NumberText text;
    text.writeGeneral(std::isfinite(k) ? k / 1000.0 : x);
    return text;
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
