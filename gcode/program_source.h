#pragma once

#include "gcode/internal.h"

// A program as the interpreter reads it: its text, where each line starts, and what is
// looked up in it, found the first time it is asked for: the lines of its N numbers, its
// subroutines, its o-word flow. The program being read and each subroutine file it runs
// are one each.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

class ProgramSource {
  public:
    // The lines of a subroutine's body, end exclusive.
    struct Sub {
        std::size_t begin = 0, end = 0;
    };
    // An o-word line of the program's flow: its keyword and the neighbouring o-word lines
    // of the same name; kNoLine where there is none.
    struct FlowLine {
        std::string keyword;
        std::size_t next, prev;
    };
    static constexpr std::size_t kNoLine = std::size_t(-1);

    // Reads `text` where it is: the caller keeps it while the source is read.
    explicit ProgramSource(std::string_view text);
    // Keeps `text`, as a file read from a source has nowhere else to live.
    explicit ProgramSource(std::string&& text);
    // The view points into the kept text, which a copy or move would leave behind.
    ProgramSource(const ProgramSource&) = delete;
    ProgramSource& operator=(const ProgramSource&) = delete;

    std::string_view text() const { return text_; }
    const std::vector<std::uint32_t>& starts() const { return starts_; }
    std::size_t lineCount() const { return starts_.size(); }
    std::string_view line(std::size_t index) const { return lineAt(text_, starts_, index); }

    // The line of block N<n>: the first after line `near` (a cycle's contour follows it),
    // else the first of all (the finishing cycle looks back); lineCount() when none.
    std::size_t lineOfNumber(double n, std::size_t near);
    // The subroutine "o<name> sub" ... "o<name> endsub", or a Fanuc "O<name>" running to
    // the end; case is ignored, as are leading zeros of a number. nullptr when none.
    const Sub* findSub(std::string_view name);
    // nullptr when line `index` is no o-word line with a keyword.
    const FlowLine* flowLine(std::size_t index);

  private:
    std::string kept_;  // empty when the text lives elsewhere
    std::string_view text_;
    std::vector<std::uint32_t> starts_;
    std::optional<std::vector<std::pair<double, std::uint32_t>>> numbers_;  // sorted
    std::optional<std::map<std::string, Sub>> subs_;                        // by lowerName
    std::optional<std::map<std::size_t, FlowLine>> flowLines_;              // by line
};

}  // namespace zivek::gcode
