#pragma once

#include <string>
#include <string_view>

namespace zivek {

// x rounded to 3 decimal places, exact halves of the product x * 1000 going to the
// even neighbour. Where that product is not finite, x is returned unchanged.
double round3(double x);

// The number text of a magnitude, kept in place: a value written twice in a line or a
// pass is converted once.
class NumberText {
  public:
    explicit NumberText(double magnitude);
    std::string_view view() const { return {text_, length_}; }

  private:
    char text_[32];
    unsigned length_ = 0;
};

// Appends the number text of a magnitude m >= 0: "0" for zero, otherwise m rounded to
// 15 significant digits, positional from 0.0001 up to 1e15 (no leading "0" before the
// point, no trailing zeros, no point for whole numbers) and in exponent form outside
// ("1E-05", "1.5E+15"). Always ".", whatever the locale; never "inf" or "nan":
// an infinite magnitude is written as the largest finite double.
void appendNumberText(std::string& out, double magnitude);

// The number text of a value's magnitude, with "-" before it when it is below zero.
std::string signedNumberText(double value);

}  // namespace zivek
