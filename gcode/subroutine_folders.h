#pragma once

#include "gcode/internal.h"

// Subroutine files on the disk: the first of a list of folders that holds a readable
// name.ngc, as LinuxCNC searches its SUBROUTINE_PATH. The program's own folder comes
// first, then those the user names.

#include <filesystem>
#include <vector>

#include "zivek/gcode/subroutine_source.h"

namespace zivek::gcode {

class SubroutineFolders final : public SubroutineSource {
  public:
    explicit SubroutineFolders(std::vector<std::filesystem::path> folders);
    // A file that is there but is no text, or cannot be read, is passed over for the
    // next folder's. The text is decoded as a program file is (program_file.h).
    std::optional<std::string> read(std::string_view fileName) const override;

  private:
    std::vector<std::filesystem::path> folders_;
};

}  // namespace zivek::gcode
