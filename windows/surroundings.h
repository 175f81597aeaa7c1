#pragma once

#include "output/disk.h"
#include "output/output_place.h"
#include "output/viewer_launch.h"

namespace zivek::windows {

// What a press needs from outside the window: where the files go, how the viewer is
// started and the disk that holds the files (the computer's own when null). The
// application owns them; tests give their own.
struct Surroundings {
    zivek::OutputPlace place;
    zivek::ViewerLauncher* viewer = nullptr;
    zivek::Disk* disk = nullptr;
};

}  // namespace zivek::windows
