// Finding a word in a program of 1.4 million lines, as Ctrl+F does on every key typed:
// it should answer well within a keystroke's time.

#include <benchmark/benchmark.h>

#include <string>

#include "viewer/text_search.h"

namespace {

const std::string& hugeProgram() {
    static const std::string text = [] {
        std::string t = "%\r\nO1000 (MIL)\r\nG21 G99\r\nT0101\r\n";
        for (int k = 0; k < 700000; ++k) {  // two lines each
            const std::string n = std::to_string(k % 9000);
            t += "G1 X" + n + ".5 Z-60 F0.2\r\nG0 U1 W60\r\n";
        }
        t += "(SON ÇAP)\r\nM30\r\n%\r\n";
        return t;
    }();
    return text;
}

void BM_FindInHugeProgram(benchmark::State& state) {
    const std::string& text = hugeProgram();
    std::size_t found = 0;
    for (auto _ : state) {
        found = zivek::backplot::linesContaining(text, "son çap").size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_FindInHugeProgram)->Unit(benchmark::kMillisecond);

}  // namespace
