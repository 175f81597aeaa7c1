// Start-up to the main menu shown against a bare Qt window with one button: both are
// started in turn as whole processes, and the medians of their wall times compared.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

double runOnce(const std::string& program) {
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    // Qt's start-up notes on stderr are not part of the measure.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&child, program.c_str(), &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return std::chrono::duration<double, std::milli>(end - start).count();
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

    std::vector<double> menuTimes, bareTimes;
    runOnce(menu);
    runOnce(bare);
    for (int i = 0; i < runs; ++i) {
        menuTimes.push_back(runOnce(menu));
        bareTimes.push_back(runOnce(bare));
    }
    if (std::count(menuTimes.begin(), menuTimes.end(), -1.0) ||
        std::count(bareTimes.begin(), bareTimes.end(), -1.0)) {
        std::fprintf(stderr, "a start failed\n");
        return 1;
    }
    const double m = median(menuTimes), b = median(bareTimes);
    std::printf(
        "start-up to the main menu: %.1f ms, bare window with one button: %.1f ms, "
        "ratio %.2f (medians of %d runs each)\n",
        m, b, m / b, runs);
}
