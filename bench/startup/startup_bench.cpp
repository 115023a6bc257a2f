// Start-up benchmark: runs two programs in turn, each until its windows have
// first painted, and compares the time from process start to that paint and
// the peak resident memory.
//
//   startup-bench PROGRAM_A PROGRAM_B [RUNS]
//
// Any two programs that print "first-paint-ns N" and quit can be compared:
// vintrel-first-paint (the calculator with the probe) and the two minimal
// windows, or two builds of vintrel-first-paint. The figures are labelled
// with the programs' names.
//
// Linux only: it starts, waits for and weighs the programs with POSIX calls
// (posix_spawn, wait4's peak resident size).
#include <sys/resource.h>
#include <sys/wait.h>

#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double milliseconds;
    double peakMegabytes;
};

// The clock the probe prints, so the two stamps can be subtracted.
long long steadyNs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
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
    const long long started = steadyNs();
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

double quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

double median(const std::vector<double>& values) { return quantile(values, 0.5); }

// The two programs ran in pairs, one straight after the other, so the
// differences within each pair shed most of the machine's slow spells.
std::vector<double> pairedDifferences(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> out;
    for (std::size_t i = 0; i < a.size(); ++i)
        out.push_back(a[i] - b[i]);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup-bench PROGRAM_A PROGRAM_B [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
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
    const std::vector<double> dt = pairedDifferences(time[0], time[1]);
    const std::vector<double> dm = pairedDifferences(memory[0], memory[1]);
    std::printf("%s minus %s, run by run (median [quartiles]): time %+.2f ms [%+.2f, %+.2f], "
                "memory %+.2f MB [%+.2f, %+.2f]\n",
                a, b, median(dt), quantile(dt, 0.25), quantile(dt, 0.75), median(dm),
                quantile(dm, 0.25), quantile(dm, 0.75));
    return 0;
}
