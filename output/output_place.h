#pragma once

#include <filesystem>

namespace zivek {

// The folder that receives the program file and the batch file.
struct OutputPlace {
    std::filesystem::path folder;

    std::filesystem::path outputFile() const { return folder / "ALANTEMIZLEME.TXT"; }
    std::filesystem::path batchFile() const { return folder / "A.BAT"; }
};

}  // namespace zivek
