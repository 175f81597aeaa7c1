#pragma once

#include "gcode/internal.h"

// Splits one program line into address words. Internal to the interpreter.

#include <string>
#include <string_view>
#include <vector>

#include "gcode/number_reading.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

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
    std::string_view rest;  // what follows the keyword: a condition, a count, arguments
};
// Reads an o-word at the start of the line (after blanks and an N word); false when the
// line does not start with one.
bool readOWord(std::string_view line, OWord& out);

// The line with its blanks outside comments taken out, but for those before a letter,
// kept in `joined`; the line itself when it has none.
std::string_view withoutBlanks(std::string_view line, std::string& joined);

class Parameters;

// Appends to words and bad; both are cleared first. Comments "(...)" and after ";",
// blanks, "%" and a leading "/" are skipped. With parameters, a word's value may be an
// expression or a parameter ("X[#1*2]") and "#1 = 5" queues a setting; without them
// both are reported as not evaluated.
void readWords(std::string_view line, std::vector<Word>& words, std::vector<BadToken>& bad,
               Parameters* params = nullptr);

}  // namespace zivek::gcode
