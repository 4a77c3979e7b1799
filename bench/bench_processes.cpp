// The companion status poll walks the whole process list five times a second
// while no companion runs. Compares one walk against the floor of touching each
// process at all (one open/read/close of /proc/PID/comm per process), and the
// poll's steady tick while a companion runs against that walk.

#ifdef __linux__

#include "companion/Processes.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kExtraProcesses = 500;

// A sleeping copy of program whose argv[0] is argv0; -1 when it could not be started.
pid_t SpawnSleeper(const std::string& program, const std::string& argv0)
{
    std::string first = argv0;
    std::string seconds = "600";
    char* argv[] = {first.data(), seconds.data(), nullptr};
    pid_t pid;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

void Stop(pid_t pid)
{
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Plain sleepers under assorted names, near misses of the companion's included.
class Crowd {
public:
    Crowd()
    {
        char folder[] = "/tmp/quorvel-bench-XXXXXX";
        if (mkdtemp(folder)) dir_ = folder;
        const char* const stems[] = {"svchost", "Quorvel", "QuorvelPanel", "worker-", "gta_sa", "Quorvel.ex"};
        for (int i = 0; i < kExtraProcesses; ++i) {
            const std::string name = stems[i % std::size(stems)] + std::to_string(i) + (i % 3 ? ".exe" : "");
            const std::string path = dir_ + "/" + name;
            std::error_code ec;
            std::filesystem::create_hard_link("/bin/sleep", path, ec);
            if (ec) std::filesystem::copy_file("/bin/sleep", path);
            if (const pid_t pid = SpawnSleeper(path, path); pid > 0) pids_.push_back(pid);
        }
    }
    ~Crowd()
    {
        for (const pid_t pid : pids_) Stop(pid);
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    std::size_t Size() const { return pids_.size(); }

private:
    std::string dir_;
    std::vector<pid_t> pids_;
};

void BM_IsProcessRunning(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(companion::IsProcessRunning("Quorvel.exe"));
}
BENCHMARK(BM_IsProcessRunning)->Unit(benchmark::kMicrosecond);

void BM_FloorReadEveryComm(benchmark::State& state)
{
    char buffer[64];
    char path[300];
    for (auto _ : state) {
        DIR* dir = opendir("/proc");
        while (const dirent* item = readdir(dir)) {
            if (item->d_name[0] < '0' || item->d_name[0] > '9') continue;
            std::snprintf(path, sizeof path, "/proc/%s/comm", item->d_name);
            const int fd = open(path, O_RDONLY | O_CLOEXEC);
            if (fd < 0) continue;
            benchmark::DoNotOptimize(read(fd, buffer, sizeof buffer));
            close(fd);
        }
        closedir(dir);
    }
}
BENCHMARK(BM_FloorReadEveryComm)->Unit(benchmark::kMicrosecond);

// The poll's tick once it has found a running companion: no walk, only a
// look at that one process.
void BM_WatchSteadyTick(benchmark::State& state)
{
    const pid_t companionPid = SpawnSleeper("/bin/sleep", "/opt/binder/Quorvel.exe");
    companion::ProcessWatch watch("Quorvel.exe");
    for (int i = 0; i < 500 && !watch.IsRunning(); ++i) usleep(10000);
    if (!watch.IsRunning()) state.SkipWithError("the companion never showed up");
    for (auto _ : state) benchmark::DoNotOptimize(watch.IsRunning());
    if (companionPid > 0) Stop(companionPid);
}
BENCHMARK(BM_WatchSteadyTick)->Unit(benchmark::kMicrosecond);

// Averages the repetitions of each benchmark for the closing comparison.
class Reporter : public benchmark::ConsoleReporter {
public:
    Reporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean") {
                means_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
            if (run.run_type != Run::RT_Iteration) continue;
            Sum& sum = sums_[run.run_name.function_name];
            sum.total += run.GetAdjustedRealTime();
            ++sum.count;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double Mean(const std::string& name) const
    {
        if (const auto mean = means_.find(name); mean != means_.end()) return mean->second;
        const auto it = sums_.find(name);
        return it == sums_.end() ? 0 : it->second.total / it->second.count;
    }

private:
    struct Sum {
        double total = 0;
        int count = 0;
    };
    std::map<std::string, Sum> sums_;
    std::map<std::string, double> means_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const Crowd crowd;
    if (companion::IsProcessRunning("Quorvel.exe")) {
        std::printf("note: a Quorvel.exe runs, so the scan stops early and the figures flatter it\n");
    }
    std::printf("%zu extra processes started\n", crowd.Size());
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double scan = reporter.Mean("BM_IsProcessRunning");
    const double floor = reporter.Mean("BM_FloorReadEveryComm");
    if (scan > 0 && floor > 0) {
        std::printf("scan %.1f us, floor %.1f us: %.2fx the floor (aim: at most 1.5x)\n", scan, floor, scan / floor);
    }
    const double tick = reporter.Mean("BM_WatchSteadyTick");
    if (scan > 0 && tick > 0) {
        std::printf("steady tick %.2f us: %.2f %% of the scan (aim: at most 1 %%)\n", tick, 100 * tick / scan);
    }
    benchmark::Shutdown();
    return 0;
}

#else

#include <cstdio>

int main()
{
    std::printf("bench_processes: not supported on this platform\n");
    return 0;
}

#endif
