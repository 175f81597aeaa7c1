#pragma once

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zivek::bench {

// The console report, then the ratio of two benchmarks of the same run: a figure
// measured against its floor on the same machine at the same moment. Benchmarks are
// named by function and arguments ("Press/100000").
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter(std::string measured, std::string floor, std::string what)
        : measured_(std::move(measured)), floor_(std::move(floor)), what_(std::move(what)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times_[run.run_name.args.empty()
                           ? run.run_name.function_name
                           : run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto measured = times_.find(measured_);
        const auto floor = times_.find(floor_);
        if (measured == times_.end() || floor == times_.end()) return;
        std::cout << what_ << ": " << measured_ << " " << measured->second << " ms, " << floor_
                  << " " << floor->second << " ms, ratio " << measured->second / floor->second
                  << "\n";
    }

private:
    std::string measured_, floor_, what_;
    std::map<std::string, double> times_;
};

}  // namespace zivek::bench
