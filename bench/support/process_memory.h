#pragma once

// What the benchmarks' own process holds, in kilobytes (Linux).

#include <sys/resource.h>

#include <fstream>
#include <string>

namespace zivek::bench {

// The most the process has held so far.
inline long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// What the process holds now, which the peak hides once it has passed.
inline long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
    return 0;
}

}  // namespace zivek::bench
