#pragma once

#include <QString>
#include <utility>

#include "output/viewer_launch.h"

namespace zivek::app {

// Starts the viewer as a process of its own and never looks at it again.
// Windows: the batch file through the command interpreter, minimised.
// Elsewhere: zivek-backplot from the program's own folder, on the program file;
// when it is not there, nothing is started and nothing is said.
class ProcessViewer final : public zivek::ViewerLauncher {
  public:
    // viewerFolder: where zivek-backplot is looked for; the program's own folder when
    // empty. Tests put a stand-in there.
    explicit ProcessViewer(QString viewerFolder = {}) : viewerFolder_(std::move(viewerFolder)) {}
    void start(const std::filesystem::path& batchFile,
               const std::filesystem::path& programFile) override;

  private:
    QString viewerFolder_;
};

}  // namespace zivek::app
