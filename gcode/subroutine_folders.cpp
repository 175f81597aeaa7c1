#include "gcode/subroutine_folders.h"

#include <system_error>
#include <utility>

#include "zivek/gcode/program_file.h"

namespace zivek::gcode {

SubroutineFolders::SubroutineFolders(std::vector<std::filesystem::path> folders)
    : folders_(std::move(folders)) {}

std::optional<std::string> SubroutineFolders::read(std::string_view fileName) const {
    // The name is UTF-8 whatever the system's code page (Windows reads narrow names in
    // its own).
    const std::u8string name(fileName.begin(), fileName.end());
    for (const std::filesystem::path& folder : folders_) {
        const std::filesystem::path path = folder / name;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) continue;
        LoadedProgram loaded = loadProgramFile(path);
        if (loaded.status == LoadStatus::Ok) return std::move(loaded.text);
    }
    return std::nullopt;
}

}  // namespace zivek::gcode
