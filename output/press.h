#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "output/cycle.h"
#include "output/disk.h"
#include "output/messages.h"
#include "output/output_place.h"
#include "output/viewer_launch.h"

namespace zivek {

// The texts of a window's boxes by control name ("Text3" -> "12"); a missing box
// reads as empty.
using BoxTexts = std::map<std::string, std::string, std::less<>>;

struct PressResult {
    enum class Outcome { Written, Refused, FileFault };
    Outcome outcome = Outcome::Refused;
    MessageKey refusal = MessageKey::DepthZero;  // when Refused
    std::filesystem::path faultyFile;            // when FileFault
    // When FileFault: whether the press had already emptied the output box.
    bool outputBoxCleared = false;
    // When Written: the text for the output box.
    std::string programText;

    bool written() const { return outcome == Outcome::Written; }
    // The message box text for a refusal or a file fault (UTF-8).
    std::string message() const;
};

// One press of "G KOD": read, check, write both files, start the viewer.
PressResult press(const Cycle& cycle, const BoxTexts& boxes, const OutputPlace& place,
                  ViewerLauncher& viewer, Disk& disk = systemDisk());

}  // namespace zivek
