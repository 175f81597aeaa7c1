#pragma once

#include <filesystem>

#include "output/workpiece.h"

namespace zivek {

// Starts the backplot viewer on a finished program file, without waiting for it, and
// hands it the operation's workpiece. The press calls it last, and only when both files
// were written.
class ViewerLauncher {
  public:
    virtual ~ViewerLauncher() = default;
    virtual void start(const std::filesystem::path& batchFile,
                       const std::filesystem::path& programFile, const Workpiece& workpiece) = 0;
};

// For callers that start nothing.
class NoViewer final : public ViewerLauncher {
  public:
    void start(const std::filesystem::path&, const std::filesystem::path&,
               const Workpiece&) override {}
};

}  // namespace zivek
