// What one live-telemetry sample costs (bench/telemetry runs it):
//   telemetry-sample loop COUNT [ROOT]   COUNT samples back to back, on ROOT (default "/")
//   telemetry-sample paced SECONDS      one sample a second, as the app's loop takes them
//   telemetry-sample child COMMAND…     runs COMMAND (by argument list) and reports its CPU time
// Prints "name: value" lines; CPU time is user + system.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "Probes/HardwareTelemetry.h"

extern char** environ;

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double wallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

int loop(int count, const char* root) {
    zantiva::HardwareTelemetry telemetry(true, zantiva::ProbeRoot(root));
    telemetry.sample(); // the first one also opens what the sampler reads for the first time
    std::vector<double> walls;
    walls.reserve(static_cast<std::size_t>(count));
    rusage before{};
    getrusage(RUSAGE_THREAD, &before);
    for (int i = 0; i < count; ++i) {
        const double start = wallSeconds();
        telemetry.sample();
        walls.push_back(wallSeconds() - start);
    }
    rusage after{};
    getrusage(RUSAGE_THREAD, &after);
    std::sort(walls.begin(), walls.end());
    double total = 0;
    for (const double w : walls) total += w;
    std::printf("samples: %d\n", count);
    std::printf("sensors: %s\n", telemetry.hasSensorAccess() ? "yes" : "no");
    std::printf("userMicroseconds: %.2f\n", (seconds(after.ru_utime) - seconds(before.ru_utime)) * 1e6 / count);
    std::printf("systemMicroseconds: %.2f\n", (seconds(after.ru_stime) - seconds(before.ru_stime)) * 1e6 / count);
    std::printf("wallMedianMicroseconds: %.2f\n", walls[walls.size() / 2] * 1e6);
    std::printf("wallMeanMicroseconds: %.2f\n", total * 1e6 / count);
    return 0;
}

int paced(int secondsToRun) {
    zantiva::HardwareTelemetry telemetry;
    telemetry.sample();
    double cpu = 0;
    auto next = std::chrono::steady_clock::now();
    for (int i = 0; i < secondsToRun; ++i) {
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        const double start = threadCpuSeconds();
        telemetry.sample();
        cpu += threadCpuSeconds() - start;
    }
    std::printf("samples: %d\n", secondsToRun);
    std::printf("cpuMicroseconds: %.2f\n", cpu * 1e6 / secondsToRun);
    return 0;
}

int child(char** command) {
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawnp(&pid, command[0], &actions, nullptr, command, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        std::fprintf(stderr, "cannot run %s\n", command[0]);
        return 1;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::printf("cpuSeconds: %.6f\n", seconds(usage.ru_utime) + seconds(usage.ru_stime));
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "loop" && argc > 2) return loop(std::atoi(argv[2]), argc > 3 ? argv[3] : "/");
    if (mode == "paced" && argc > 2) return paced(std::atoi(argv[2]));
    if (mode == "child" && argc > 2) return child(argv + 2);
    std::fprintf(stderr, "usage: %s loop COUNT [ROOT] | paced SECONDS | child COMMAND…\n", argv[0]);
    return 2;
}
