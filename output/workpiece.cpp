#include "output/workpiece.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace zivek {
namespace {

void appendNumber(std::string& out, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

void appendOutline(std::string& out, char kind, const Outline& outline) {
    if (!out.empty()) out += '|';
    out += kind;
    out += ':';
    for (std::size_t i = 0; i < outline.size(); ++i) {
        if (i > 0) out += ';';
        appendNumber(out, outline[i].z);
        out += ',';
        appendNumber(out, outline[i].x);
    }
}

std::optional<double> readNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Outline> readOutline(std::string_view text) {
    Outline outline;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view corner = text.substr(0, end);
        const std::size_t comma = corner.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        const auto z = readNumber(corner.substr(0, comma));
        const auto x = readNumber(corner.substr(comma + 1));
        if (!z || !x) return std::nullopt;
        outline.push_back({*z, *x});
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (outline.size() < 3) return std::nullopt;
    return outline;
}

}  // namespace

std::string workpieceText(const Workpiece& workpiece) {
    std::string out;
    for (const Outline& outline : workpiece.material) appendOutline(out, 'M', outline);
    for (const Outline& outline : workpiece.part) appendOutline(out, 'P', outline);
    if (!workpiece.insert.empty()) appendOutline(out, 'T', workpiece.insert);
    return out;
}

std::optional<Workpiece> readWorkpiece(std::string_view text) {
    Workpiece workpiece;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('|'), text.size());
        const std::string_view group = text.substr(0, end);
        if (group.size() < 2 || group[1] != ':') return std::nullopt;
        const auto outline = readOutline(group.substr(2));
        if (!outline) return std::nullopt;
        switch (group[0]) {
            case 'M':
                workpiece.material.push_back(*outline);
                break;
            case 'P':
                workpiece.part.push_back(*outline);
                break;
            case 'T':
                if (!workpiece.insert.empty()) return std::nullopt;
                workpiece.insert = *outline;
                break;
            default:
                return std::nullopt;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (workpiece.insert.empty() && !workpiece.empty()) return std::nullopt;
    return workpiece;
}

}  // namespace zivek
