// Opening the largest program the generator accepts: 100,000 internal diameter passes,
// about 300,000 lines. A machinist waits for it, so it should take well under a second.
// And a CAM program of 30,000 lines with arcs, feed per revolution and constant surface
// speed, which must read as quickly per line.

#include <benchmark/benchmark.h>

#include <string>

#include "cam_program.h"
#include "viewer/screen_segments.h"
#include "viewer/viewport.h"
#include "wizard_program.h"
#include "zivek/gcode/toolpath.h"

namespace {

using namespace zivek::backplot;

const std::string& largestProgram() {
    static const std::string text = zivek::bench::wizardProgram();
    return text;
}

void BM_InterpretLargestProgram(benchmark::State& state) {
    const std::string& text = largestProgram();
    std::size_t lines = 0;
    for (auto _ : state) {
        Toolpath path = interpret(text);
        lines = path.lineCount;
        benchmark::DoNotOptimize(path.moves.data());
    }
    state.counters["lines"] = double(lines);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(lines));
}
BENCHMARK(BM_InterpretLargestProgram)->Unit(benchmark::kMillisecond);

// Interpreting and the list's line table, per line: items/s compare the two programs.
void openProgram(benchmark::State& state, const std::string& text) {
    std::size_t lines = 0;
    for (auto _ : state) {
        Toolpath path = interpret(text);
        const auto starts = lineStarts(text);
        lines = starts.size();
        benchmark::DoNotOptimize(path.moves.data());
    }
    state.counters["lines"] = double(lines);
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(lines));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

void BM_OpenLargestProgram(benchmark::State& state) {
    openProgram(state, largestProgram());
}
BENCHMARK(BM_OpenLargestProgram)->Unit(benchmark::kMillisecond);

void BM_OpenCamProgram(benchmark::State& state) {
    static const std::string text = zivek::bench::camProgram(30000);
    openProgram(state, text);
}
BENCHMARK(BM_OpenCamProgram)->Unit(benchmark::kMillisecond);

// The list beside the plot splits the text once more.
void BM_SplitLinesLargestProgram(benchmark::State& state) {
    const std::string& text = largestProgram();
    for (auto _ : state) benchmark::DoNotOptimize(splitLines(text).size());
}
BENCHMARK(BM_SplitLinesLargestProgram)->Unit(benchmark::kMillisecond);

// One frame of panning or zooming: cull and reduce the path to screen pixels. Argument:
// zoom factor over the fitted view.
void BM_FrameSegments(benchmark::State& state) {
    static const Toolpath path = interpret(largestProgram());
    Viewport view;
    view.setSize(1000, 700);
    view.fit(path.summary.extent, {84, 26, 26, 52});
    view.zoom(double(state.range(0)), {500, 350});
    ScreenSegments segments;
    for (auto _ : state) {
        segments.build(path.moves, view);
        benchmark::DoNotOptimize(segments.feed().data());
    }
    state.counters["drawn"] = double(segments.rapid().size() + segments.feed().size());
}
BENCHMARK(BM_FrameSegments)->Arg(1)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
