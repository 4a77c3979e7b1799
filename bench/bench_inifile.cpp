// Speed of the settings store on the files the panel really sees.
//   ReadString, warm, typical 80-line Setting.ini     aim <= 5 us
//   ReadString, 10,000-line file that just changed    aim <= 3 ms
//   WriteString, 80-line file, including the flush    aim <= 2 ms
//   MergeInto, 160,000 incoming keys                   aim < 1 s
//   MergeInto, 50 MB Setting.ini with a normal profile aim < 3 s, peak memory < 300 MB
//     (run that one alone for its memory: --benchmark_filter=Merge50MB)

#include <benchmark/benchmark.h>

#include <string>
#include <sys/resource.h>

#include "core/TestSupport.h"
#include "store/Cp1251.h"
#include "backup/IniMerge.h"
#include "store/IniFile.h"

namespace {

std::string TypicalSettings()
{
    std::string s = "[global]\r\nnick=Ivan_Petrov\r\nзвание=Капитан\r\nдепартамент=LSPD\r\nтег=[ЛСПД]\r\n"
                    "доптег=\r\nпол=1\r\nжетон=4815162\r\nserver=1\r\n"
                    "[setting]\r\nautogun=1\r\nautodock=1\r\nautotime=0\r\npred=1\r\nпогоня=1\r\n"
                    "[quorvel]\r\nод=0\r\n[hotkeys]\r\n";
    int line = 18;
    for (int k = 1; line < 80; ++k, ++line) s += "key" + std::to_string(k) + "=~VK02 & VK70\r\n";
    return store::Utf8ToCp1251(s);
}

std::string LargeFile(int lines)
{
    std::string s = "[global]\r\n";
    for (int i = 0; i < lines - 3; ++i) s += "filler" + std::to_string(i) + "=some value of a line\r\n";
    s += "[hotkeys]\r\nkey65=VK12 & VK46\r\n";
    return s;
}

void BM_ReadStringWarm(benchmark::State& state)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    testsupport::WriteBytes(path, TypicalSettings());
    testsupport::AgeFile(path, 60);
    store::IniFile ini(path);
    ini.ReadString("global", "nick", "");
    for (auto _ : state) benchmark::DoNotOptimize(ini.ReadString("hotkeys", "key60", ""));
}
BENCHMARK(BM_ReadStringWarm);

void BM_ReadStringLargeChanged(benchmark::State& state)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    testsupport::WriteBytes(path, LargeFile(10000));
    for (auto _ : state) {
        store::IniFile ini(path);  // no parsed copy: as after a change
        benchmark::DoNotOptimize(ini.ReadString("hotkeys", "key65", ""));
    }
}
BENCHMARK(BM_ReadStringLargeChanged)->Unit(benchmark::kMillisecond);

void BM_WriteStringTypical(benchmark::State& state)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    testsupport::WriteBytes(path, TypicalSettings());
    store::IniFile ini(path);
    int i = 0;
    for (auto _ : state) ini.WriteInteger("quorvel", "од", (i++) & 1);
}
BENCHMARK(BM_WriteStringTypical)->Unit(benchmark::kMicrosecond);

// Half of the incoming keys replace a line, half are new to their section.
void BM_MergeKeys(benchmark::State& state)
{
    const int keys = static_cast<int>(state.range(0));
    std::string base = "[global]\r\nnick=Ivan_Petrov\r\n[keys]\r\n";
    std::string incoming = "[keys]\r\n";
    for (int i = 0; i < keys; ++i) {
        const std::string name = 'k' + std::to_string(i);
        if (i % 2 == 0) base += name + "=old\r\n";
        incoming += name + "=VK12 & VK46\r\n";
    }
    for (auto _ : state) benchmark::DoNotOptimize(backup::MergeInto(base, incoming).size());
    state.counters["incoming_KB"] = static_cast<double>(incoming.size()) / 1024;
}
BENCHMARK(BM_MergeKeys)->Arg(5000)->Arg(20000)->Arg(160000)->Unit(benchmark::kMillisecond);

double PeakRssMb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;  // KB on Linux
}

void BM_Merge50MBSettings(benchmark::State& state)
{
    std::string base = TypicalSettings();
    base += "[history]\r\n";
    for (int i = 0; base.size() < 50u << 20; ++i) base += "line" + std::to_string(i) + "=some value the companion keeps\r\n";
    std::string profile = TypicalSettings() + "[new]\r\nx=1\r\n";
    profile.replace(profile.find("Ivan_Petrov"), 11, "Petr_Ivanov");
    for (size_t at; (at = profile.find("VK70")) != std::string::npos;) profile[at + 3] = '1';  // every hotkey moves
    for (auto _ : state) benchmark::DoNotOptimize(backup::MergeInto(base, profile).size());
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_Merge50MBSettings)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
