#pragma once

#include <filesystem>
#include <utility>
#include <vector>

#include "output/viewer_launch.h"

namespace zivek::testing {

// Remembers every viewer start instead of starting a process.
class RecordingViewer final : public ViewerLauncher {
  public:
    void start(const std::filesystem::path& batchFile, const std::filesystem::path& programFile,
               const Workpiece& workpiece) override {
        starts.emplace_back(batchFile, programFile);
        workpieces.push_back(workpiece);
    }
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> starts;
    std::vector<Workpiece> workpieces;
};

}  // namespace zivek::testing
