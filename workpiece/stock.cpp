#include "zivek/workpiece/stock.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace zivek::workpiece {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Upper case, with the Turkish letters of "HAM PARÇA" and "ŞEKİL" folded to ASCII so that
// a comment typed either way reads the same.
std::string folded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c == 0xC3 || c == 0xC4 || c == 0xC5) && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            char ascii = 0;
            if (c == 0xC3 && (next == 0x87 || next == 0xA7)) ascii = 'C';
            if (c == 0xC3 && (next == 0x96 || next == 0xB6)) ascii = 'O';
            if (c == 0xC3 && (next == 0x9C || next == 0xBC)) ascii = 'U';
            if (c == 0xC4 && (next == 0xB0 || next == 0xB1)) ascii = 'I';
            if (c == 0xC5 && (next == 0x9E || next == 0x9F)) ascii = 'S';
            if (ascii != 0) {
                out.push_back(ascii);
                ++i;
                continue;
            }
        }
        out.push_back(upper(text[i]));
    }
    return out;
}

std::optional<double> numberAt(std::string_view text, std::size_t& at) {
    while (at < text.size() && (isBlank(text[at]) || text[at] == '=' || text[at] == ':')) ++at;
    double value = 0;
    const char* first = text.data() + at;
    if (at < text.size() && text[at] == '+') ++first;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc{} || !std::isfinite(value)) return std::nullopt;
    at = static_cast<std::size_t>(end - text.data());
    return value;
}

bool makesABar(const Stock& s) {
    return s.diameter > 0 && s.length > 0 && s.bore >= 0 && s.bore < s.diameter &&
           s.faceAllowance >= 0 && s.faceAllowance < s.length && s.jawLength >= 0;
}

// Each comment's text, in program order: "( ... )" and what follows ';'.
std::vector<std::string_view> commentsOf(std::string_view program) {
    std::vector<std::string_view> comments;
    for (std::size_t i = 0; i < program.size(); ++i) {
        if (program[i] == '(') {
            const std::size_t close = program.find_first_of(")\n", i + 1);
            const std::size_t end = close == std::string_view::npos ? program.size() : close;
            comments.push_back(program.substr(i + 1, end - i - 1));
            i = end;
        } else if (program[i] == ';') {
            const std::size_t end = std::min(program.find('\n', i + 1), program.size());
            comments.push_back(program.substr(i + 1, end - i - 1));
            i = end;
        }
    }
    return comments;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (isBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The stock parameters CAM posts echo, one keyword each.
struct KeyedSize {
    std::string_view key;
    double Stock::*field;
};
constexpr std::array kKeyedSizes{
    KeyedSize{"STOCK-INNER-DIAMETER", &Stock::bore},  // before STOCK-DIAMETER's prefix
    KeyedSize{"STOCK-BORE", &Stock::bore},
    KeyedSize{"STOCK-DIAMETER", &Stock::diameter},
    KeyedSize{"STOCK-LENGTH", &Stock::length},
};

// The bar sizes a shop buys, in millimetres and in inches (eighths up to 2 in, then
// quarters): a guessed bar is one of them.
constexpr std::array kMetricBars{6.0,   8.0,   10.0,  12.0,  16.0,  20.0,  25.0,  30.0,  32.0, 36.0,
                                 40.0,  45.0,  50.0,  55.0,  60.0,  65.0,  70.0,  75.0,  80.0, 90.0,
                                 100.0, 110.0, 120.0, 130.0, 140.0, 150.0, 160.0, 180.0, 200.0};

double barAbove(double diameter, bool inch) {
    if (inch) {
        const double step = diameter <= 2 ? 0.125 : 0.25;
        return std::max(0.25, std::ceil(diameter / step - 1e-9) * step);
    }
    for (double size : kMetricBars)
        if (size >= diameter - 1e-9) return size;
    return std::ceil(diameter / 25 - 1e-9) * 25;
}

std::string shortest(double value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return {buffer.data(), end};
}

// How close to the axis a facing pass ends, as a share of the bar's radius.
constexpr double kNearTheAxis = 0.05;

ConvexRegion box(double z0, double z1, double x0, double x1) {
    return convexHull({{z0, x0}, {z1, x0}, {z1, x1}, {z0, x1}});
}

}  // namespace

std::optional<Stock> readStockWords(std::string_view words) {
    const std::string text = folded(words);
    Stock stock;
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && isBlank(text[at])) ++at;
        if (at == text.size()) break;
        double Stock::*field = nullptr;
        switch (text[at]) {
            case 'D':
                field = &Stock::diameter;
                break;
            case 'L':
                field = &Stock::length;
                break;
            case 'B':
                field = &Stock::bore;
                break;
            case 'F':
                field = &Stock::faceAllowance;
                break;
            case 'J':
                field = &Stock::jawLength;
                break;
            default:
                return std::nullopt;
        }
        ++at;
        const auto value = numberAt(text, at);
        if (!value) return std::nullopt;
        stock.*field = *value;
    }
    if (!makesABar(stock)) return std::nullopt;
    return stock;
}

std::string stockWords(const Stock& stock) {
    // Appended, not "D" + string: GCC 12 at -O3 warns of an overlap inside that.
    std::string words("D");
    words.append(shortest(stock.diameter)).append(" L").append(shortest(stock.length));
    if (stock.bore > 0) words.append(" B").append(shortest(stock.bore));
    if (stock.faceAllowance > 0) words.append(" F").append(shortest(stock.faceAllowance));
    if (stock.jawLength > 0) words.append(" J").append(shortest(stock.jawLength));
    return words;
}

std::optional<Stock> stockFromComments(std::string_view program) {
    Stock keyed;
    for (std::string_view comment : commentsOf(program)) {
        const std::string text = folded(trimmed(comment));
        const std::string_view view = text;
        bool anyKey = false;
        for (const KeyedSize& size : kKeyedSizes) {
            for (std::size_t at = view.find(size.key); at != std::string_view::npos;
                 at = view.find(size.key, at + 1)) {
                std::size_t after = at + size.key.size();
                if (const auto value = numberAt(view, after)) {
                    keyed.*size.field = *value;
                    anyKey = true;
                }
            }
        }
        if (anyKey) {
            if (makesABar(keyed)) return keyed;
            continue;
        }
        for (std::string_view lead : {std::string_view("STOCK"), std::string_view("HAM PARCA")}) {
            if (!view.starts_with(lead)) continue;
            std::string_view rest = view.substr(lead.size());
            if (!rest.empty() && rest.front() != ' ' && rest.front() != ':' && rest.front() != '=')
                continue;
            while (!rest.empty() && (rest.front() == ':' || rest.front() == '='))
                rest.remove_prefix(1);
            if (const auto stock = readStockWords(rest)) return stock;
        }
    }
    return std::nullopt;
}

std::optional<Stock> guessStock(const gcode::Toolpath& path) {
    // A feed that enters the bar starts in the air: of each feed the end nearer the axis,
    // and the nearer the chuck, is where it cuts.
    bool any = false;
    double outer = 0;
    double deepest = 0;
    double front = 0;
    std::vector<gcode::Point> cutEnds;
    for (const gcode::Move& move : path.moves) {
        if (move.kind != gcode::MoveKind::Feed) continue;
        const double x = std::min(std::abs(move.from.x), std::abs(move.to.x));
        const double z = std::min(move.from.z, move.to.z);
        if (!std::isfinite(x) || !std::isfinite(z)) continue;
        any = true;
        outer = std::max(outer, x);
        deepest = std::min(deepest, z);
        cutEnds.push_back({z, x});
    }
    // The face stands where a feed reaches the axis: a facing pass. Other feeds in front
    // of Z0 are approaches through the air.
    for (const gcode::Point& end : cutEnds)
        if (end.x <= outer * kNearTheAxis) front = std::max(front, end.z);
    if (!any || outer <= 0) return std::nullopt;
    // A parting blade's width and a little more: what is left to hold the part off.
    const double parting = path.inch ? 0.2 : 5.0;
    Stock stock;
    stock.diameter = barAbove(2 * outer, path.inch);
    stock.faceAllowance = front;
    stock.length = front - deepest + parting;
    return stock;
}

StockRegions regionsOf(const Stock& stock) {
    StockRegions regions;
    const double face = stock.faceAllowance;
    const double back = face - stock.length;
    const double outer = stock.diameter / 2;
    regions.material.push_back(box(back, face, stock.bore / 2, outer));
    if (stock.jawLength > 0 && stock.jawLength < stock.length) {
        // Jaws stand on the bar from there to its end, about a third of the bar high.
        const double height = std::max(outer * 0.6, stock.diameter * 0.1);
        regions.jaws.push_back(box(back, face - stock.jawLength, outer, outer + height));
    }
    return regions;
}

}  // namespace zivek::workpiece
