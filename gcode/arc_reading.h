#pragma once

#include "gcode/internal.h"

// Whether a program writes X as a diameter or a radius shows in its arcs: an arc's radius
// and centre fit its ends under one reading and often not under the other. Detection
// follows the tool through the heading, as far as plain absolute moves tell where it is,
// and asks each arc which readings it fits.

#include <vector>

#include "gcode/dialects.h"
#include "gcode/gcode_words.h"

namespace zivek::gcode {

class ArcReading {
  public:
    // The readings the line's arc fits; Unknown for a line that is no arc, or where the
    // tool's place is not known. Then follows the tool to the line's end.
    ArcFit next(const std::vector<Word>& words);
    // Whether X and Z step from where the tool stands (G91), after the line last given.
    bool incremental() const { return incremental_; }

  private:
    ArcFit fit(const std::vector<Word>& words, double endX, double endZ) const;
    void follow(const std::vector<Word>& words);

    enum class Motion : std::uint8_t { None, Straight, Arc, Other };
    Motion motion_ = Motion::None;
    bool knownX_ = false;
    bool knownZ_ = false;
    double x_ = 0;
    double z_ = 0;
    bool incremental_ = false;
    // G7/G8 or G90.1 name the reading, or the centre's, outright: arcs prove nothing then.
    bool stated_ = false;
};

}  // namespace zivek::gcode
