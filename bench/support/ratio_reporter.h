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
    struct Ratio {
        std::string measured, floor, what;
    };
    RatioReporter(std::string measured, std::string floor, std::string what)
        : ratios_{{std::move(measured), std::move(floor), std::move(what)}} {}
    explicit RatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the median stands for the benchmark; otherwise its one run.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median) continue;
            const std::string name = run.run_name.args.empty()
                                         ? run.run_name.function_name
                                         : run.run_name.function_name + "/" + run.run_name.args;
            if (median || medians_.count(name) == 0) {
                times_[name] = run.GetAdjustedRealTime();
                cpuTimes_[name] = run.GetAdjustedCPUTime();
            }
            if (median) medians_[name] = true;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const Ratio& ratio : ratios_) {
            const auto measured = times_.find(ratio.measured);
            const auto floor = times_.find(ratio.floor);
            if (measured == times_.end() || floor == times_.end()) continue;
            std::cout << ratio.what << ": " << ratio.measured << " " << measured->second << ", "
                      << ratio.floor << " " << floor->second << " (units as above), ratio "
                      << measured->second / floor->second << "; processor time "
                      << cpuTimes_[ratio.measured] << " against " << cpuTimes_[ratio.floor]
                      << ", ratio " << cpuTimes_[ratio.measured] / cpuTimes_[ratio.floor] << "\n";
        }
    }

  private:
    std::vector<Ratio> ratios_;
    std::map<std::string, double> times_;
    std::map<std::string, double> cpuTimes_;
    std::map<std::string, bool> medians_;
};

}  // namespace zivek::bench
