#pragma once

#include <filesystem>

namespace zivek {

// The folder that receives the program file and the batch file.
struct OutputPlace {
    std::filesystem::path folder;
    // Where both files go instead when the folder refuses them; empty for nowhere else.
    // (A standard account on current Windows may not create files at the root of C:.)
    std::filesystem::path fallbackFolder = {};

    std::filesystem::path outputFile() const { return folder / "ALANTEMIZLEME.TXT"; }
    std::filesystem::path batchFile() const { return folder / "A.BAT"; }
};

}  // namespace zivek
