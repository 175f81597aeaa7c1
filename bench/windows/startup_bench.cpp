// Start-up to the main menu shown against a bare Qt window with one button: both are
// started in turn as whole processes, and the medians of their processor times (which a
// shared machine does not stretch) and of their wall times compared.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Times {
    double wall = -1;  // milliseconds
    double cpu = -1;   // user and system
};

double milliseconds(const timeval& t) {
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

Times runOnce(const std::string& program) {
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    // Qt's start-up notes on stderr are not part of the measure.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&child, program.c_str(), &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return {};
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::stoi(argv[1]) : 21;
    std::string folder = argv[0];
    folder = folder.substr(0, folder.find_last_of('/') + 1);
    const std::string menu = folder + "startup_menu";
    const std::string bare = folder + "startup_bare";
    if (getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::vector<double> menuWall, bareWall, menuCpu, bareCpu;
    runOnce(menu);
    runOnce(bare);
    for (int i = 0; i < runs; ++i) {
        // In turn, so that the machine's load falls on both alike.
        const Times m = runOnce(menu);
        const Times b = runOnce(bare);
        if (m.wall < 0 || b.wall < 0) {
            std::fprintf(stderr, "a start failed\n");
            return 1;
        }
        menuWall.push_back(m.wall);
        bareWall.push_back(b.wall);
        menuCpu.push_back(m.cpu);
        bareCpu.push_back(b.cpu);
    }
    const double mc = median(menuCpu), bc = median(bareCpu);
    const double mw = median(menuWall), bw = median(bareWall);
    std::printf(
        "start-up to the main menu against a bare window with one button, medians of %d runs "
        "each:\n  processor time %.1f ms against %.1f ms, ratio %.2f\n  wall time %.1f ms "
        "against %.1f ms, ratio %.2f\n",
        runs, mc, bc, mc / bc, mw, bw, mw / bw);
}
