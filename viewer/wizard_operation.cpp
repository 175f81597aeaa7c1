#include "viewer/wizard_operation.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "viewer/reader_names.h"

namespace zivek::backplot {
namespace {

using Words = std::map<char, double>;

// "G1U-25W-30F111" as letter and value; nothing for a line that is not only such words.
std::optional<Words> wordsOf(std::string_view line) {
    Words words;
    std::size_t i = 0;
    while (i < line.size()) {
        const char letter = line[i++];
        if (letter < 'A' || letter > 'Z') return std::nullopt;
        std::string number;
        while (i < line.size() && (line[i] < 'A' || line[i] > 'Z'))
            number += line[i] == ',' ? '.' : line[i], ++i;  // the decimal comma of some desktops
        if (number.empty()) return std::nullopt;
        std::size_t used = 0;
        double value = 0;
        try {
            value = std::stod(number, &used);
        } catch (...) {
            return std::nullopt;
        }
        if (used != number.size()) return std::nullopt;
        words[letter] = value;
    }
    return words;
}

bool has(const Words& w, char letter) {
    return w.contains(letter);
}

}  // namespace

std::optional<WizardOperation> readWizardOperation(std::string_view program) {
    std::vector<std::string_view> lines;
    for (std::string_view l : splitLines(program))
        if (!l.empty()) lines.push_back(l);
    // The five opening lines, the passes, and M05, M30, %.
    if (lines.size() < 10 || lines[3] != "G54" || lines[4] != "G0X0Y0" || lines.back() != "%")
        return std::nullopt;
    if ((lines[0] != "M08" && lines[0] != "M09") || (lines[1] != "M03" && lines[1] != "M04"))
        return std::nullopt;
    const auto speed = wordsOf(lines[2]);
    if (!speed || speed->size() != 1 || !has(*speed, 'S')) return std::nullopt;
    std::vector<Words> passes;
    for (std::size_t i = 5; i + 3 < lines.size(); ++i) {
        auto w = wordsOf(lines[i]);
        if (!w) return std::nullopt;
        passes.push_back(std::move(*w));
    }
    if (passes.size() < 2 || !has(passes[0], 'G') || passes[0].at('G') != 0) return std::nullopt;
    const Words& infeed = passes[0];
    const Words& travel = passes[1];
    if (!has(travel, 'G') || travel.at('G') != 1 || !has(travel, 'F')) return std::nullopt;

    const bool facing = has(infeed, 'W') && !has(infeed, 'U');
    const char across = facing ? 'W' : 'U';  // the infeed's axis
    const char along = facing ? 'U' : 'W';   // the travel's
    if (!has(infeed, across) || !has(travel, along)) return std::nullopt;
    const bool taper = !facing && has(travel, 'U');
    // The deepest infeed is the finishing pass's, the turning depth; a taper's last
    // travel is the full length.
    double deepest = 0;
    double length = 0;
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const Words& w = passes[i];
        if (has(w, 'G') && w.at('G') == 0 && w.size() == 2 && has(w, across))
            deepest = std::max(deepest, std::abs(w.at(across)));
        if (has(w, 'G') && w.at('G') == 1 && has(w, along)) length = std::abs(w.at(along));
    }
    if (!taper) length = std::abs(travel.at(along));

    WizardOperation op;
    const bool outward = infeed.at(across) < 0;  // external passes cut towards the axis
    if (facing)
        op.kind = WizardKind::Facing;
    else if (taper)
        op.kind = outward ? WizardKind::ExternalTaper : WizardKind::InternalTaper;
    else
        op.kind = outward ? WizardKind::ExternalDiameter : WizardKind::InternalDiameter;
    if (taper) {
        op.values.push_back({WizardBox::DiameterDifference, 2 * deepest});
    } else {
        op.values.push_back({WizardBox::TurningDepth, deepest});
    }
    op.values.push_back({WizardBox::TurningLength, length});
    op.values.push_back({WizardBox::Plunge, std::abs(infeed.at(across))});
    op.values.push_back({WizardBox::Feed, travel.at('F')});
    op.values.push_back({WizardBox::SpindleDirection, lines[1] == "M03" ? 0.0 : 1.0});
    op.values.push_back({WizardBox::SpindleSpeed, speed->at('S')});
    op.values.push_back({WizardBox::Coolant, lines[0] == "M08" ? 1.0 : 0.0});
    return op;
}

}  // namespace zivek::backplot
