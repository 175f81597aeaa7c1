// Checks of the press fuzzer; see press_checks.h.

#include "fuzz/press_checks.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/value_rules.h"
#include "support/batch_bytes.h"
#include "support/temp_folder.h"

namespace zivek::fuzz {
namespace {

using testing::cycleOf;
using testing::Operation;
namespace fs = std::filesystem;

// Put into both files before every press, so that a refusal which touched either
// file shows.
constexpr std::string_view untouched = "untouched\r\n";

[[noreturn]] void violated(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "\n*** property violated: %.*s\n    %.*s\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size() > 400 ? 400 : detail.size()),
                 detail.data());
    __builtin_trap();
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) violated("a file of the press is missing", file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) violated("cannot prepare the fuzzer's folder", file.string());
}

bool isMirror(std::string_view a, std::string_view b) {
    return (a.size() == b.size() + 1 && a.front() == '-' && a.substr(1) == b) ||
           (b.size() == a.size() + 1 && b.front() == '-' && b.substr(1) == a) ||
           (a == "0" && b == "0");
}

// Long double holds every written number, the largest double's 15-digit text too.
long double value(std::string_view text) {
    return std::strtold(std::string(text).c_str(), nullptr);
}
long double magnitude(std::string_view text) {
    return std::fabs(value(text));
}

// The values that one pass writes again must agree: every pass comes back by what it
// went out, travels the same length at the same feed, and goes no shallower than the
// pass before.
void checkPassValues(Operation operation, const testing::ParsedProgram& program) {
    const auto& first = program.passes.front().slots;
    const std::string_view travel = first[1][0];
    const std::string_view feed = first[1].back();
    long double deepest = 0;
    for (const testing::ParsedPass& pass : program.passes) {
        const auto& s = pass.slots;
        if (s[1].back() != feed) violated("travel lines carry different feeds", feed);
        const long double depth = magnitude(s[0][0]);
        if (depth < deepest) violated("a pass is shallower than the one before", s[0][0]);
        deepest = depth;
        if (!testing::isStraight(operation)) {
            if (!isMirror(s[0][0], s[1][0]))
                violated("the feed line does not come back out", s[1][0]);
            continue;
        }
        if (s[1][0] != travel) violated("travel lines differ", s[1][0]);
        if (!isMirror(s[0][0], s[2][0])) violated("the depth is not taken back", s[2][0]);
        const std::string_view back = pass.finishing ? s[3][0] : s[2][1];
        if (!isMirror(travel, back)) violated("the travel is not taken back", back);
        // Both texts hold 15 digits; the smallest feeds lose digits when halved.
        if (pass.finishing &&
            std::fabs(value(s[2][1]) - value(feed) / 2) > std::fabs(value(feed)) * 1e-14L + 1e-300L)
            violated("the finishing feed back is not half the feed", s[2][1]);
    }
}

void checkProgram(Operation operation, const PressResult& result) {
    const std::string& text = result.programText;
    if (text.size() < 3 || text.compare(text.size() - 3, 3, "%\r\n") != 0)
        violated("the program does not end in %, CR, LF",
                 text.substr(text.size() > 20 ? text.size() - 20 : 0));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool lineEnd = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ||
                             (c == '\n' && i > 0 && text[i - 1] == '\r');
        if (!lineEnd && (c < 0x21 || c > 0x7e))
            violated("a byte that is neither printable ASCII nor a line end",
                     text.substr(i > 20 ? i - 20 : 0, 40));
    }
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos)
        violated("inf or nan in the program");

    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (lines.back().empty()) violated("an empty line", std::to_string(lines.size()));
        start = end + 2;
    }
    const testing::ParsedProgram parsed = testing::parseProgram(operation, lines);
    if (!parsed.ok) violated("a line out of this operation's grammar", parsed.fault);
    checkPassValues(operation, parsed);

    if (readFile(place().outputFile()) != text + "\r\n")
        violated("the output file is not the output box text plus CR LF");
    if (readFile(place().batchFile()) != testing::expectedBatchBytes)
        violated("the batch file is not its 89 bytes");
}

// The coolant and spindle lines follow the commands; the speed line holds the speed.
void checkOpeningLines(const Values& values, const std::string& text) {
    const std::string coolant = values.coolant == 1 ? "M08\r\n" : "M09\r\n";
    const std::string spindle = values.spindle == 0 ? "M03\r\n" : "M04\r\n";
    if (text.compare(0, 10, coolant + spindle) != 0)
        violated("the coolant or spindle line does not follow its command", text.substr(0, 10));
    const std::size_t speedEnd = text.find("\r\n", 10);
    if (text.compare(10, 1, "S") != 0 || speedEnd == std::string::npos)
        violated("the third line is no speed line", text.substr(10, 20));
    const long double written = value(text.substr(11, speedEnd - 11));
    if (std::fabs(written - values.speed) > values.speed * 1e-14L)
        violated("the speed line does not hold the speed", text.substr(10, speedEnd - 10));
}

void checkRefusalReason(Operation operation, const Values& values, const std::string& message) {
    if (!refusalFits(operation, values, message))
        violated("a refusal this operation does not give, or whose reason does not hold", message);
}

void checkFilesUntouched() {
    if (readFile(place().outputFile()) != untouched) violated("a refusal touched the output file");
    if (readFile(place().batchFile()) != untouched) violated("a refusal touched the batch file");
}

}  // namespace

const OutputPlace& place() {
    static const testing::TempFolder folder;
    static const OutputPlace output{folder.path()};
    return output;
}

void markFilesUntouched() {
    writeFile(place().outputFile(), untouched);
    writeFile(place().batchFile(), untouched);
}

void checkPress(Operation operation, const BoxTexts& boxes, const PressResult& result) {
    const Values values = readValues(operation, boxes);
    switch (result.outcome) {
        case PressResult::Outcome::Written:
            if (const char* broken = firstBrokenRule(operation, values))
                violated("a program written for values that break a rule", broken);
            checkOpeningLines(values, result.programText);
            checkProgram(operation, result);
            break;
        case PressResult::Outcome::Refused:
            checkRefusalReason(operation, values, result.message());
            checkFilesUntouched();
            break;
        case PressResult::Outcome::FileFault:
            violated("a file fault in a writable folder", result.message());
    }
}

}  // namespace zivek::fuzz
