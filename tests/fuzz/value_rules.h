#pragma once

// What the values of a press must satisfy for a program to be written, and what each
// refusal says about them: stated here from the meaning of each message, apart from
// the cycles' own lists of checks, so that the fuzzer can catch a check that is
// missing, misplaced or wrong.

#include <string>
#include <vector>

#include "geometry/program_shapes.h"
#include "output/press.h"

namespace zivek::fuzz {

// The values of the boxes by their meaning, read by the reading rule.
struct Values {
    double depth = 0;  // straight cycles
    double large = 0;  // taper cycles
    double small = 0;  // taper cycles
    double length = 0;
    double plunge = 0;
    double feed = 0;
    double coolant = 0;
    double spindle = 0;
    double speed = 0;
};

// The box texts an operation reads, in its reading order, by meaning.
struct BoxRole {
    const char* box;
    double Values::*value;
};
const std::vector<BoxRole>& boxRoles(testing::Operation operation);

Values readValues(testing::Operation operation, const BoxTexts& boxes);

// The first rule that values accepted for a program break, or null.
const char* firstBrokenRule(testing::Operation operation, const Values& values);

// Whether a refusal with this message is one the operation may give for these values:
// the message is the operation's and what it says holds.
bool refusalFits(testing::Operation operation, const Values& values, const std::string& message);

}  // namespace zivek::fuzz
