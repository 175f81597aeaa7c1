#pragma once

#include <filesystem>
#include <utility>
#include <vector>

#include "output/viewer_launch.h"

namespace zivek::testing {

// Remembers every viewer start instead of starting a process.
class RecordingViewer final : public ViewerLauncher {
  public:
    void start(const std::filesystem::path& batchFile,
               const std::filesystem::path& programFile) override {
        starts.emplace_back(batchFile, programFile);
    }
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> starts;
};

}  // namespace zivek::testing
