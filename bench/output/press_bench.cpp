// The press at 1,000, 10,000 and 100,000 passes against its floor: the three file passes
// it makes (the raw program written, read back, the program written again) with the same
// bytes and no formatting; and against one fwrite of the final bytes. Time per line
// should stay flat as the program grows. The ratios are printed for the real time and
// for the processor time; the latter does not swing with the disk's waits.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cycles/cycles.h"
#include "output/control_names.h"
#include "output/disk.h"
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

// The computer's disk, keeping a copy of the first file the press writes in full: the
// raw program, blanks included.
class RawCopyDisk final : public zivek::Disk {
  public:
    explicit RawCopyDisk(std::filesystem::path outputFile) : outputFile_(std::move(outputFile)) {}
    std::unique_ptr<zivek::WritableFile> create(const fs::path& file) override {
        auto real = zivek::systemDisk().create(file);
        if (file != outputFile_ || ++outputCreations_ != 2) return real;
        return std::make_unique<CopyingFile>(std::move(real), raw);
    }
    void read(const fs::path& file, std::string& bytes) override {
        zivek::systemDisk().read(file, bytes);
    }
    void remove(const fs::path& file) override { zivek::systemDisk().remove(file); }

    std::string raw;

  private:
    class CopyingFile final : public zivek::WritableFile {
      public:
        CopyingFile(std::unique_ptr<zivek::WritableFile> real, std::string& copy)
            : real_(std::move(real)), copy_(copy) {}
        void write(std::string_view bytes) override {
            copy_.append(bytes);
            real_->write(bytes);
        }
        void close() override { real_->close(); }

      private:
        std::unique_ptr<zivek::WritableFile> real_;
        std::string& copy_;
    };
    fs::path outputFile_;
    int outputCreations_ = 0;  // the first creation only makes the file exist
};

struct PressBytes {
    std::string raw;    // the program as first written, blanks included
    std::string final;  // the file as the press leaves it
};

PressBytes pressBytes(long passes) {
    const zivek::OutputPlace place{benchFolder()};
    RawCopyDisk disk(place.outputFile());
    zivek::NoViewer viewer;
    const auto result =
        zivek::press(zivek::internalDiameterCycle(), boxesFor(passes), place, viewer, disk);
    return {std::move(disk.raw), result.programText + "\r\n"};
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The press's true floor: its three file passes over the same bytes, with nothing
// formatted and no blank removed, each in one call as the press makes them: the raw
// program written, read back whole into memory kept from before, and the final bytes
// written to a new file in its place.
void FilePasses(benchmark::State& state) {
    const PressBytes bytes = pressBytes(state.range(0));
    const std::string path = (benchFolder() / "floor.txt").string();
    std::string readBack(bytes.raw.size() + 1, '\0');
    for (auto _ : state) {
        writeFile(path, bytes.raw);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const std::size_t got = std::fread(readBack.data(), 1, readBack.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(readBack.data());
        std::remove(path.c_str());
        writeFile(path, bytes.final);
    }
    state.counters["lines"] = benchmark::Counter(static_cast<double>(lineCount(state.range(0))),
                                                 benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.final.size()));
}
BENCHMARK(FilePasses)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

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
    zivek::bench::RatioReporter reporter({
        {"Press/1000", "FilePasses/1000", "press of 1,000 passes against its three file passes"},
        {"Press/10000", "FilePasses/10000", "press of 10,000 passes against its three file passes"},
        {"Press/100000", "FilePasses/100000",
         "press of 100,000 passes against its three file passes"},
        {"Press/100000", "WriteOnce/100000",
         "press of 100,000 passes against one fwrite of its bytes"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(benchFolder());
}
