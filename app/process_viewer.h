#pragma once

#include "output/viewer_launch.h"

namespace zivek::app {

// Starts the viewer as a process of its own and never looks at it again.
// Windows: the batch file through the command interpreter, minimised, when the files are
// at the root of C: and the outside viewer is installed where the batch file looks.
// Otherwise, and elsewhere: zivek-backplot from the program's own folder, on the program
// file; when it is not there, nothing is started and nothing is said.
class ProcessViewer final : public zivek::ViewerLauncher {
  public:
    void start(const std::filesystem::path& batchFile,
               const std::filesystem::path& programFile) override;
};

}  // namespace zivek::app
