// Following the tool through a program's heading, and the readings of X its arcs fit.

#include "gcode/arc_reading.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace zivek::gcode {
namespace {

const Word* find(const std::vector<Word>& words, char letter) {
    const Word* found = nullptr;
    for (const Word& w : words)
        if (w.letter == letter) found = &w;
    return found;
}

bool hasG(const std::vector<Word>& words, std::initializer_list<double> gs) {
    for (const Word& w : words)
        if (w.letter == 'G')
            for (const double g : gs)
                if (w.value == g) return true;
    return false;
}

bool hasAxis(const std::vector<Word>& words) {
    for (const Word& w : words)
        if (w.letter == 'X' || w.letter == 'Z' || w.letter == 'U' || w.letter == 'W') return true;
    return false;
}

// Loose enough for CAM's rounding of the ends, tight against the factor of two the other
// reading makes.
bool sameLength(double a, double b) {
    return std::abs(a - b) <= 0.01 + 0.01 * std::max(a, b);
}

}  // namespace

ArcFit ArcReading::next(const std::vector<Word>& words) {
    const bool axes = hasAxis(words);
    if (hasG(words, {7, 8, 90.1})) stated_ = true;
    if (hasG(words, {91})) incremental_ = true;
    if (hasG(words, {90}) && !axes) incremental_ = false;
    if (hasG(words, {0, 1, 32, 33})) motion_ = Motion::Straight;
    if (hasG(words, {2, 3})) motion_ = Motion::Arc;
    // Cycles, and the codes Fanuc's G90/G92/G94 turning cycles share with other meanings.
    if (hasG(words, {70, 71, 72, 73, 74, 75, 76, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 92, 94}) ||
        (hasG(words, {90}) && axes && !hasG(words, {0, 1, 2, 3})))
        motion_ = Motion::Other;
    ArcFit result = ArcFit::Unknown;
    const Word* x = find(words, 'X');
    const Word* z = find(words, 'Z');
    if (motion_ == Motion::Arc && (x != nullptr || z != nullptr) && find(words, 'U') == nullptr &&
        find(words, 'W') == nullptr && knownX_ && knownZ_ && !incremental_ && !stated_)
        result = fit(words, x != nullptr ? x->value : x_, z != nullptr ? z->value : z_);
    follow(words);
    return result;
}

ArcFit ArcReading::fit(const std::vector<Word>& words, double endX, double endZ) const {
    bool fits[2] = {false, false};  // as a diameter, as a radius
    const Word* r = find(words, 'R');
    const Word* i = find(words, 'I');
    const Word* k = find(words, 'K');
    if (r == nullptr && i == nullptr && k == nullptr) return ArcFit::Unknown;
    for (const int reading : {0, 1}) {
        const double scale = reading == 0 ? 0.5 : 1.0;
        const double dx = (endX - x_) * scale;
        const double dz = endZ - z_;
        if (r != nullptr) {
            // The chord may not be longer than the diameter of the arc.
            const double half = std::hypot(dx, dz) / 2;
            fits[reading] = half <= std::abs(r->value) || sameLength(half, std::abs(r->value));
        } else {
            // I and K step from the start to the centre, I as a radius in either reading.
            const double ci = i != nullptr ? i->value : 0;
            const double ck = k != nullptr ? k->value : 0;
            const double fromStart = std::hypot(ci, ck);
            if (fromStart == 0) return ArcFit::Unknown;
            fits[reading] = sameLength(fromStart, std::hypot(dx - ci, dz - ck));
        }
    }
    if (fits[0] && fits[1]) return ArcFit::Both;
    if (fits[0]) return ArcFit::OnlyDiameter;
    return fits[1] ? ArcFit::OnlyRadius : ArcFit::Neither;
}

void ArcReading::follow(const std::vector<Word>& words) {
    if (hasG(words, {28, 30, 53})) {
        knownX_ = knownZ_ = false;
        return;
    }
    // A cycle brings the tool back where it began.
    if (motion_ == Motion::Other || !hasAxis(words)) return;
    const Word* x = find(words, 'X');
    const Word* z = find(words, 'Z');
    if (find(words, 'U') != nullptr || incremental_) knownX_ = false;
    if (find(words, 'W') != nullptr || incremental_) knownZ_ = false;
    if (incremental_) return;
    if (x != nullptr) {
        x_ = x->value;
        knownX_ = find(words, 'U') == nullptr;
    }
    if (z != nullptr) {
        z_ = z->value;
        knownZ_ = find(words, 'W') == nullptr;
    }
}

}  // namespace zivek::gcode
