#pragma once

// Splits one program line into address words. Internal to the interpreter.

#include <string_view>
#include <vector>

#include "viewer/toolpath.h"

namespace zivek::backplot {

struct Word {
    char letter;  // upper case
    double value;
    std::string_view text;  // as written, for warnings
};

struct BadToken {
    Warning code;
    std::string_view text;
};

// Reads a G-code number at the start of s: optional sign, digits with at most one point,
// optional exponent ("1E-05"). Returns the characters used, 0 when there is no number;
// `ok` is false when the text is a number but not a finite double.
std::size_t readNumber(std::string_view s, double& value, bool& ok);

// Appends to words and bad; both are cleared first. Comments "(...)" and after ";",
// blanks, "%" and a leading "/" are skipped.
void readWords(std::string_view line, std::vector<Word>& words, std::vector<BadToken>& bad);

}  // namespace zivek::backplot
