#pragma once

#include <filesystem>

namespace zivek {

// Starts the backplot viewer on a finished program file, without waiting for it.
// The press calls it last, and only when both files were written.
class ViewerLauncher {
  public:
    virtual ~ViewerLauncher() = default;
    virtual void start(const std::filesystem::path& batchFile,
                       const std::filesystem::path& programFile) = 0;
};

// For callers that start nothing.
class NoViewer final : public ViewerLauncher {
  public:
    void start(const std::filesystem::path&, const std::filesystem::path&) override {}
};

}  // namespace zivek
