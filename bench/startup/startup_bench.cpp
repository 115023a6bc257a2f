// Start-up benchmark: runs the calculator and a minimal Qt Widgets window in
// turn, each until its windows have first painted, and compares the time from
// process start to that paint and the peak resident memory.
//
//   startup-bench VINTREL MINIMAL [RUNS]
//
// Any two programs that honour VINTREL_FIRST_PAINT_PROBE can be compared;
// the figures are labelled with their names.
#include <sys/resource.h>
#include <sys/wait.h>

#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double milliseconds;
    double peakMegabytes;
};

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

bool runOnce(const char* program, Run& run)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};
    const long long started = monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "startup-bench: cannot start %s\n", program);
        return false;
    }
    std::string output;
    char buffer[256];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto at = output.find("first-paint-ns ");
    if (at == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup-bench: %s did not report its first paint\n", program);
        return false;
    }
    const long long painted = std::atoll(output.c_str() + at + 15);
    run.milliseconds = static_cast<double>(painted - started) / 1e6;
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return true;
}

const char* baseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup-bench VINTREL MINIMAL [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    setenv("VINTREL_FIRST_PAINT_PROBE", "1", 1);
    std::vector<double> time[2], memory[2];
    // Alternate the two so that a slow spell on the machine hits both.
    for (int i = 0; i < runs; ++i)
        for (int which = 0; which < 2; ++which) {
            Run run{};
            if (!runOnce(argv[1 + which], run))
                return 1;
            time[which].push_back(run.milliseconds);
            memory[which].push_back(run.peakMegabytes);
        }
    const double t0 = median(time[0]), t1 = median(time[1]);
    const double m0 = median(memory[0]), m1 = median(memory[1]);
    const char* a = baseName(argv[1]);
    const char* b = baseName(argv[2]);
    std::printf("start-up to first paint (median of %d): %s %.1f ms, %s %.1f ms, ratio %.2f\n", runs,
                a, t0, b, t1, t0 / t1);
    std::printf("peak resident memory (median): %s %.1f MB, %s %.1f MB, difference %+.1f MB\n", a, m0,
                b, m1, m0 - m1);
    return 0;
}
