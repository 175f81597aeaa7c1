#pragma once

// Splits one program line into address words. Internal to the interpreter.

#include <string_view>
#include <vector>

#include "gcode/toolpath.h"

namespace zivek::backplot {

struct Word {
    char letter;  // upper case
    double value;
    std::string_view text;  // as written, for warnings
};

struct BadToken {
    Warning code;
    std::string_view text;
    char letter;  // the address whose value is lost (X of "X[#1]"), 0 when none
};

// An o-word of LinuxCNC ("o100 sub", "o<name> call") or a Fanuc program number line
// ("O1000"): the name and the keyword after it, lower case; empty keyword for "O1000".
struct OWord {
    std::string_view name;
    std::string keyword;
};
// Reads an o-word at the start of the line (after blanks and an N word); false when the
// line does not start with one.
bool readOWord(std::string_view line, OWord& out);

// Reads a G-code number at the start of s: optional sign, digits with at most one point,
// optional exponent ("1E-05"). Returns the characters used, 0 when there is no number;
// `ok` is false when the text is a number but not a finite double.
std::size_t readNumber(std::string_view s, double& value, bool& ok);

// Appends to words and bad; both are cleared first. Comments "(...)" and after ";",
// blanks, "%" and a leading "/" are skipped.
void readWords(std::string_view line, std::vector<Word>& words, std::vector<BadToken>& bad);

}  // namespace zivek::backplot
