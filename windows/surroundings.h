#pragma once

#include "output/output_place.h"
#include "output/viewer_launch.h"

namespace zivek::windows {

// What a press needs from outside the window: where the files go and how the
// viewer is started. The application owns both; tests give their own.
struct Surroundings {
    zivek::OutputPlace place;
    zivek::ViewerLauncher* viewer = nullptr;
};

}  // namespace zivek::windows
