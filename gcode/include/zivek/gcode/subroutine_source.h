#pragma once

// Where "o<name> call" finds a subroutine the program does not hold: in a file of its
// own, name.ngc, as LinuxCNC looks for it on its SUBROUTINE_PATH. The reader asks for
// the file by that name; where the files live is the source's business: folders on the
// disk (subroutine_folders.h), or texts in memory.

#include <optional>
#include <string>
#include <string_view>

namespace zivek::gcode {

class SubroutineSource {
  public:
    virtual ~SubroutineSource() = default;
    // The text of `fileName` (the name in lower case, without blanks, with ".ngc") in
    // UTF-8; nothing when there is no such file or it cannot be read. One reading may
    // ask for a file once: what it reads is kept while the program is read.
    virtual std::optional<std::string> read(std::string_view fileName) const = 0;
};

}  // namespace zivek::gcode
