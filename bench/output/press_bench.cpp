// The press at 1,000, 10,000 and 100,000 passes against the floor of writing the same
// bytes once with one fwrite. Time per line should stay flat as the program grows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cycles/cycles.h"
#include "output/control_names.h"
#include "output/press.h"
#include "support/ratio_reporter.h"

namespace {

namespace fs = std::filesystem;

fs::path benchFolder() {
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / "zivek-press-bench";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

zivek::BoxTexts boxesFor(long passes) {
    // Whole plunges of 1: passes - 1 roughing passes and the finishing pass.
    return {{zivek::control::Text3, std::to_string(passes)},
            {zivek::control::Text2, "60"},
            {zivek::control::Text4, "1"},
            {zivek::control::Text5, "111"},
            {zivek::control::Text14, "1"},
            {zivek::control::Text12, "0"},
            {zivek::control::Text13, "6"}};
}

std::size_t lineCount(long passes) {
    return 5 + 3 * static_cast<std::size_t>(passes) + 1 + 3;
}

void Press(benchmark::State& state) {
    const zivek::BoxTexts boxes = boxesFor(state.range(0));
    const zivek::OutputPlace place{benchFolder()};
    zivek::NoViewer viewer;
    for (auto _ : state) {
        auto result = zivek::press(zivek::internalDiameterCycle(), boxes, place, viewer);
        if (!result.written()) state.SkipWithError(result.message().c_str());
        benchmark::DoNotOptimize(result.programText.data());
    }
    state.counters["lines"] = benchmark::Counter(static_cast<double>(lineCount(state.range(0))),
                                                 benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(fs::file_size(place.outputFile())));
}
BENCHMARK(Press)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The physical floor: the final file's bytes written once, with one fwrite.
void WriteOnce(benchmark::State& state) {
    const zivek::OutputPlace place{benchFolder()};
    zivek::NoViewer viewer;
    const auto result =
        zivek::press(zivek::internalDiameterCycle(), boxesFor(state.range(0)), place, viewer);
    const std::string bytes = result.programText + "\r\n";
    const std::string path = (benchFolder() / "floor.txt").string();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(WriteOnce)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    zivek::bench::RatioReporter reporter("Press/100000", "WriteOnce/100000",
                                         "press of 100,000 passes against one fwrite of its bytes");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(benchFolder());
}
