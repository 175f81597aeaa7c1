// libFuzzer target: arbitrary bytes as a program file, through the viewer's reading and
// interpretation and one frame of its drawing arithmetic.
//
// Input: the first byte picks the dialect (0 from the program, 1 generic, 2 Fanuc,
// 3 LinuxCNC; taken modulo 4); the rest is the file's bytes. Properties beyond the
// sanitizers: the totals are finite, moves and warnings point at real lines, arcs at
// real moves, and the work stays bounded (libFuzzer's -timeout catches a hang).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "viewer/screen_segments.h"
#include "viewer/viewport.h"
#include "zivek/gcode/program_file.h"
#include "zivek/gcode/summary_json.h"
#include "zivek/gcode/text_decoding.h"
#include "zivek/gcode/toolpath.h"

namespace {

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

bool finite(zivek::gcode::Point p) {
    return std::isfinite(p.z) && std::isfinite(p.x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zivek::backplot;
    using namespace zivek::gcode;
    if (size == 0) return 0;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (classifyText(text) != LoadStatus::Ok) return 0;
    const DecodedText decoded = decodeToUtf8(text);
    ReadOptions options;
    options.autoDialect = data[0] % 4 == 0;
    options.dialect = Dialect(data[0] % 4 == 0 ? 0 : data[0] % 4 - 1);
    const Toolpath path = interpret(text, options);

    const Summary& s = path.summary;
    require(std::isfinite(s.feedLength) && std::isfinite(s.rapidLength), "finite lengths");
    require(std::isfinite(s.cuttingMinutes) && s.cuttingMinutes >= 0, "finite time");
    require(s.extent.empty || (finite(s.extent.min) && finite(s.extent.max)), "finite extent");
    require(s.rapidMoves + s.feedMoves == path.moves.size(), "every move counted");
    // Bounded work: moves grow with the program, not with what it asks to repeat.
    require(path.moves.size() <= 8 * path.lineCount + 2 * text.size() + 20000, "bounded");
    for (const Move& m : path.moves) {
        require(finite(m.from) && finite(m.to), "finite move");
        require(m.line < path.lineCount, "move on a real line");
    }
    for (std::size_t i = 0; i < path.arcs.size(); ++i) {
        const Arc& a = path.arcs[i];
        require(a.move < path.moves.size() && path.moves[a.move].is(kArc), "arc on its move");
        require(i == 0 || path.arcs[i - 1].move < a.move, "arcs in order");
        require(finite(a.center), "finite centre");
        for (const Point p : polyline(path, a.move, 0.01)) require(finite(p), "finite arc points");
    }
    for (std::size_t i = 0; i < path.spindles.size(); ++i) {
        const Spindle& sp = path.spindles[i];
        require(sp.firstMove < path.moves.size(), "spindle change at a real move");
        require(i == 0 || path.spindles[i - 1].firstMove < sp.firstMove,
                "spindle changes in order");
    }
    for (std::size_t i = 0; i < path.warnings.size(); ++i) {
        require(path.warnings[i].line < path.lineCount, "warning on a real line");
        require(i == 0 || path.warnings[i - 1].line <= path.warnings[i].line, "warnings in order");
    }
    const std::string json = summaryJson(path, decoded, 10000);
    require(json.find("nan") == std::string::npos && json.find("inf") == std::string::npos,
            "no nan or inf in the summary");

    Viewport view;
    view.setSize(800, 600);
    view.setXLabelScale(path.xScale());
    view.fit(s.extent, {60, 30, 30, 30});
    ScreenSegments segments;
    segments.build(path, view);
    return 0;
}
