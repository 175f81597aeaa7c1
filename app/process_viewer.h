#pragma once

#include <QString>
#include <utility>

#include "output/viewer_launch.h"

namespace zivek::app {

// Starts the viewer as a process of its own and never waits for it.
// Windows: the batch file through the command interpreter, minimised, when the files are
// at the root of C: and the outside viewer is installed where the batch file looks.
// Otherwise a viewer that already shows the program file is asked to show it anew,
// with the press's workpiece, and to come to the front; when none answers,
// zivek-backplot is started from the program's own folder on the program file,
// directly. When it is not there or does not start, a message box, once the press has
// ended, says so in Turkish and names the folder it belongs in (a zip unpacked in
// pieces, or the viewer removed).
class ProcessViewer final : public zivek::ViewerLauncher {
  public:
    // viewerFolder: where zivek-backplot is looked for; the program's own folder when
    // empty. Tests put a stand-in there.
    explicit ProcessViewer(QString viewerFolder = {}) : viewerFolder_(std::move(viewerFolder)) {}
    void start(const std::filesystem::path& batchFile, const std::filesystem::path& programFile,
               const Workpiece& workpiece) override;

  private:
    QString viewerFolder_;
};

}  // namespace zivek::app
