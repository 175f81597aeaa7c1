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
        // With repetitions the median stands for the benchmark; otherwise its one run.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median) continue;
            const std::string name = run.run_name.args.empty()
                                         ? run.run_name.function_name
                                         : run.run_name.function_name + "/" + run.run_name.args;
            if (median || medians_.count(name) == 0) times_[name] = run.GetAdjustedRealTime();
            if (median) medians_[name] = true;
        }
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
    std::map<std::string, bool> medians_;
};

}  // namespace zivek::bench
