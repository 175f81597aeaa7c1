// The workpiece on the largest program the wizard accepts (100,000 internal diameter
// passes): every move cut and checked, ready to show the end state, and one step to
// any line, each against the viewer's parse of the same program; with the wizard's square
// insert and with a CNMG's true outline. And a 20 MB CAM program cut from its guessed
// bar by a CNMG, as the window's worker does it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "cam_program.h"
#include "cycles/cycles.h"
#include "output/press.h"
#include "support/ratio_reporter.h"
#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/shop_cut.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace {

using namespace zivek::gcode;
using namespace zivek::workpiece;

struct Handed final : zivek::ViewerLauncher {
    zivek::Workpiece workpiece;
    void start(const std::filesystem::path&, const std::filesystem::path&,
               const zivek::Workpiece& handed) override {
        workpiece = handed;
    }
};

struct Largest {
    std::string text;
    zivek::Workpiece workpiece;
};

const Largest& largest() {
    static const Largest program = [] {
        // The press writes its files into a folder of the run's own, removed again once
        // the program is in memory: several benchmark runs at once, and nothing left.
        std::random_device seed;
        std::string name = "zivek-workpiece-bench-";
        name.append(std::to_string(seed())).append("-").append(std::to_string(seed()));
        const auto folder = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(folder);
        Handed viewer;
        const auto result = zivek::press(zivek::internalDiameterCycle(),
                                         {{"Text3", "100000"},
                                          {"Text2", "60"},
                                          {"Text4", "1"},
                                          {"Text5", "111"},
                                          {"Text14", "1"},
                                          {"Text12", "0"},
                                          {"Text13", "6"}},
                                         zivek::OutputPlace{folder}, viewer);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        return Largest{result.programText, viewer.workpiece};
    }();
    return program;
}

std::shared_ptr<const Toolpath> largestPath() {
    static const auto path = std::make_shared<const Toolpath>(interpret(largest().text));
    return path;
}

std::shared_ptr<const std::vector<Move>> movesOf(const std::shared_ptr<const Toolpath>& path) {
    return {path, &path->moves};
}

void Parse(benchmark::State& state) {
    for (auto _ : state) {
        Toolpath path = interpret(largest().text);
        benchmark::DoNotOptimize(path.moves.data());
    }
    state.counters["lines"] = double(largestPath()->lineCount);
}
BENCHMARK(Parse)->Unit(benchmark::kMillisecond);

// What the window does after reading: cut every move, check it, show the end.
void EndState(benchmark::State& state) {
    const auto path = largestPath();
    std::size_t warnings = 0;
    for (auto _ : state) {
        const WorkpieceCut cut(largest().workpiece, movesOf(path));
        benchmark::DoNotOptimize(cut.materialAfter(path->moves.size()).data());
        warnings = cut.warnings().size();
    }
    state.counters["warnings"] = double(warnings);
}
BENCHMARK(EndState)->Unit(benchmark::kMillisecond);

// One step of the slider or the list: the workpiece after a line anywhere in the program.
void StepToAnyLine(benchmark::State& state) {
    const auto path = largestPath();
    const WorkpieceCut cut(largest().workpiece, movesOf(path));
    std::mt19937 random(20261210u);
    std::uniform_int_distribution<std::size_t> line(0, path->moves.size());
    for (auto _ : state) benchmark::DoNotOptimize(cut.materialAfter(line(random)).data());
}
BENCHMARK(StepToAnyLine)->Unit(benchmark::kMillisecond);

CuttingTool cnmg(int tip) {
    const auto table = readToolTable("T1 CNMG120408 Q" + std::to_string(tip) + "\n").table;
    return cuttingToolOf(table.tools.front()).value();
}

// The wizard's material and part, cut by a CNMG in a boring bar (tip 3).
CutStart withInsert() {
    CutStart start;
    const auto regions = [](const std::vector<zivek::Outline>& outlines) {
        std::vector<ConvexRegion> out;
        for (const zivek::Outline& o : outlines) {
            std::vector<Point> points;
            for (const zivek::PlanePoint& p : o) points.push_back({p.z, p.x});
            out.push_back(convexHull(std::move(points)));
        }
        return out;
    };
    start.material = regions(largest().workpiece.material);
    start.part = regions(largest().workpiece.part);
    start.tools = {{0, cnmg(3)}};
    return start;
}

void EndStateWithInsert(benchmark::State& state) {
    const auto path = largestPath();
    std::size_t warnings = 0;
    std::size_t pieces = 0;
    for (auto _ : state) {
        const WorkpieceCut cut(withInsert(), movesOf(path));
        const auto left = cut.materialAfter(path->moves.size());
        benchmark::DoNotOptimize(left.data());
        warnings = cut.warnings().size();
        pieces = left.size();
    }
    state.counters["piecesLeft"] = double(pieces);
    state.counters["warnings"] = double(warnings);
    state.counters["insertCorners"] = double(cnmg(3).insert.corners.size());
}
BENCHMARK(EndStateWithInsert)->Unit(benchmark::kMillisecond);

void StepToAnyLineWithInsert(benchmark::State& state) {
    const auto path = largestPath();
    const WorkpieceCut cut(withInsert(), movesOf(path));
    std::mt19937 random(20261211u);
    std::uniform_int_distribution<std::size_t> line(0, path->moves.size());
    for (auto _ : state) benchmark::DoNotOptimize(cut.materialAfter(line(random)).data());
}
BENCHMARK(StepToAnyLineWithInsert)->Unit(benchmark::kMillisecond);

// 20 MB as a CAM system writes it: read, its bar guessed, cut by a CNMG (tip 2).
void CamProgramCut(benchmark::State& state) {
    static const std::string text = zivek::bench::camProgram(20'000'000 / 24);
    std::size_t moves = 0;
    for (auto _ : state) {
        const auto path = std::make_shared<const Toolpath>(interpret(text));
        const Stock bar = guessStock(*path).value();
        const auto table = readToolTable("T1 CNMG120408 Q2\n").table;
        ShopCut shop = shopCut(bar, &table, path->inch, {{0, 1}}, std::nullopt);
        const WorkpieceCut cut(std::move(shop.start), movesOf(path));
        benchmark::DoNotOptimize(cut.materialAfter(path->moves.size()).data());
        moves = path->moves.size();
    }
    state.counters["moves"] = double(moves);
    state.counters["megabytes"] = double(text.size()) / 1e6;
}
BENCHMARK(CamProgramCut)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    zivek::bench::RatioReporter reporter(
        {{"EndState", "Parse", "the end state of 100,000 passes against their parse"},
         {"StepToAnyLine", "Parse", "one step to any line against the parse"},
         {"EndStateWithInsert", "Parse", "the end state with a CNMG's outline against the parse"},
         {"StepToAnyLineWithInsert", "Parse", "one step with a CNMG's outline against the parse"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
