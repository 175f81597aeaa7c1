#pragma once

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zivek {

namespace detail {
// The nearest whole number, halves to even, as nearbyint gives it in the default
// rounding mode but without a library call (the press rounds in every pass): below
// 2^52, adding 2^52 leaves no fraction and rounds as required; from 2^52 up every
// double is whole already.
inline double wholeHalfEven(double v) {
#if FLT_EVAL_METHOD == 0
    constexpr double twoTo52 = 4503599627370496.0;
    const double magnitude = std::fabs(v);
    if (!(magnitude < twoTo52)) return v;
    return std::copysign((magnitude + twoTo52) - twoTo52, v);
#else
    // Extended precision in between would round twice.
    return std::nearbyint(v);
#endif
}
}  // namespace detail

// x * 1000 rounded to a whole number, exact halves going to the even neighbour: the
// first two steps of round3. Where that product is not finite, it is returned as it is.
inline double thousandthsOf(double x) {
    return detail::wholeHalfEven(x * 1000.0);
}

// x rounded to 3 decimal places, exact halves of the product x * 1000 going to the
// even neighbour. Where that product is not finite, x is returned unchanged.
double round3(double x);

// The number text of a magnitude, kept in place: a value written twice in a line or a
// pass is converted once. The text sits in machine words, so that a copy of it reads
// them as they were written.
class NumberText {
  public:
    explicit NumberText(double magnitude);
    // The number text of round3(x), given k = thousandthsOf(x): made from the whole
    // number k, without the division, wherever k is below 1e15. k has round3(x)'s sign.
    static NumberText ofRound3(double x, double k) {
        const double m = std::fabs(k);
        if (m < fastBound) return ofThousandths(static_cast<std::uint64_t>(m));
        return ofRound3Beyond(x, k);
    }

    std::string_view view() const { return {reinterpret_cast<const char*>(words_), length_}; }
    std::size_t size() const { return length_; }
    // Copies the text to `to`, which has room for paddedSize bytes; what lies after the
    // text there is left undefined.
    void copyTo(char* to) const {
        std::memcpy(to, &words_[0], 16);
        if (length_ > 16) std::memcpy(to + 16, &words_[2], 16);
    }
    static constexpr std::size_t paddedSize = 32;

  private:
    // Thousandths below this are whole units of at most 8 digits.
    static constexpr double fastBound = 1e11;

    NumberText() = default;
    // In one store, as copyTo reads them: a read that spans two smaller stores still
    // on their way to the cache waits until both have arrived there.
    void storeFirstWords(std::uint64_t first, std::uint64_t second) {
#ifdef __SSE2__
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(words_),
            _mm_set_epi64x(static_cast<long long>(second), static_cast<long long>(first)));
#else
        words_[0] = first;
        words_[1] = second;
#endif
    }
    static NumberText ofThousandths(std::uint64_t k);
    static NumberText ofRound3Beyond(double x, double k);
    void writeGeneral(double magnitude);

    std::uint64_t words_[4] = {};
    unsigned length_ = 0;
};

namespace detail {
// The decimal digits of 0 < v < 1e8, eight of them with leading zeros, one a byte with
// the leading digit in the lowest byte: each step splits every group into two halves
// at once (by 10,000, then 100, then 10; the multiply and shift divide exactly below
// these bounds).
inline std::uint64_t eightDigits(std::uint32_t v) {
    const std::uint64_t y = (v / 10000) | (static_cast<std::uint64_t>(v % 10000) << 32);
    const std::uint64_t hundreds = ((y * 10486) >> 20) & 0x0000007F0000007FULL;
    const std::uint64_t z = hundreds | ((y - hundreds * 100) << 16);
    const std::uint64_t tens = ((z * 103) >> 10) & 0x000F000F000F000FULL;
    return tens | ((z - tens * 10) << 8);
}

// ".5", ".25", ".125" and "" for the thousandths 0 to 999, as little-endian words.
struct Fractions {
    std::uint32_t text[1000];
    std::uint8_t length[1000];
};
extern const Fractions fractions;
}  // namespace detail

// k thousandths, k < 1e11: the nearest double to k / 1000, rounded to 15 significant
// digits, gives back exactly k / 1000, so the text comes from the integer k.
inline NumberText NumberText::ofThousandths(std::uint64_t k) {
    NumberText text;
    if constexpr (std::endian::native != std::endian::little) {
        text.writeGeneral(static_cast<double>(k) / 1000.0);
        return text;
    }
    if (k == 0) {
        text.storeFirstWords('0', 0);
        text.length_ = 1;
        return text;
    }
    const auto units = static_cast<std::uint32_t>(k / 1000);
    const auto fraction = static_cast<std::size_t>(k % 1000);
    std::uint64_t low = 0;
    unsigned digits = 0;
    if (units != 0) {
        const std::uint64_t all = detail::eightDigits(units);
        const unsigned zeros = static_cast<unsigned>(std::countr_zero(all)) / 8;
        low = (all | 0x3030303030303030ULL) >> (8 * zeros);
        digits = 8 - zeros;
    }
    const std::uint64_t point = detail::fractions.text[fraction];
    if (digits < 8)
        text.storeFirstWords(low | (point << (8 * digits)),
                             digits > 4 ? point >> (8 * (8 - digits)) : 0);
    else
        text.storeFirstWords(low, point);
    text.length_ = digits + detail::fractions.length[fraction];
    return text;
}

// Appends the number text of a magnitude m >= 0: "0" for zero, otherwise m rounded to
// 15 significant digits, positional from 0.0001 up to 1e15 (no leading "0" before the
// point, no trailing zeros, no point for whole numbers) and in exponent form outside
// ("1E-05", "1.5E+15"). Always ".", whatever the locale; never "inf" or "nan":
// an infinite magnitude is written as the largest finite double.
void appendNumberText(std::string& out, double magnitude);

// The number text of a value's magnitude, with "-" before it when it is below zero.
std::string signedNumberText(double value);

}  // namespace zivek
