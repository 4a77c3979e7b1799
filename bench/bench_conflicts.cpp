// The conflict map over every hotkey, as the panel builds it each time a key
// page, an editor or the picker shows keys, and the keyboard map drawn from it.
//   read both sections and build the map: 64 stored keys, 200 commands   aim <= 2 ms
//   keyboard map of a full server (48 actions, 24 texts, 200 commands)   aim well under 1 ms

#include <benchmark/benchmark.h>

#include <string>

#include "core/TestSupport.h"
#include "hotkeys/Conflicts.h"
#include "hotkeys/KeyboardMap.h"
#include "store/Cp1251.h"
#include "store/IniFile.h"

namespace {

void BM_BuildConflictMap(benchmark::State& state)
{
    testsupport::TempDir dir;
    std::string settings = "[global]\r\nnick=Ivan_Petrov\r\n[hotkeys]\r\n";
    for (int k = 1; k <= 65; ++k) settings += "key" + std::to_string(k) + "=~VK02 & VK" + std::to_string(30 + k % 60) + "\r\n";
    std::string commands = "[keys]\r\n";
    for (int c = 0; c < 200; ++c)
        commands += "команда" + std::to_string(c) + "=VK12 & VK11 & VK" + std::to_string(30 + c % 60) + "\r\n";
    testsupport::WriteBytes(dir.File("Setting.ini"), store::Utf8ToCp1251(settings));
    testsupport::WriteBytes(dir.File("keycomand.ini"), store::Utf8ToCp1251(commands));
    testsupport::AgeFile(dir.File("Setting.ini"), 60);
    testsupport::AgeFile(dir.File("keycomand.ini"), 60);
    const store::IniFile settingsIni(dir.File("Setting.ini"));
    const store::IniFile keyIni(dir.File("keycomand.ini"));
    for (auto _ : state) {
        const hotkeys::ConflictMap map(settingsIni.ReadSection("hotkeys"), keyIni.ReadSection("keys"));
        benchmark::DoNotOptimize(map.Holders().data());
    }
}
BENCHMARK(BM_BuildConflictMap)->Unit(benchmark::kMicrosecond);

// Every action and text stored (a value each), 200 commands, a few shared.
hotkeys::ConflictMap FullServer()
{
    hotkeys::SectionValues settings;
    for (int k = 1; k <= 65; ++k) settings.emplace_back("key" + std::to_string(k), "~VK02 & VK" + std::to_string(30 + k % 60));
    hotkeys::SectionValues commands;
    const char* held[] = {"VK12 & ", "VK11 & ", "VK10 & ", "VK12 & VK11 & "};
    for (int c = 0; c < 200; ++c)
        commands.emplace_back("команда" + std::to_string(c), held[c % 4] + std::string("VK") + std::to_string(30 + c % 60));
    return hotkeys::ConflictMap(settings, commands);
}

void BM_KeyboardMap(benchmark::State& state)
{
    const hotkeys::ConflictMap conflicts = FullServer();
    const hotkeys::KeyFilter filter = state.range(0) ? hotkeys::KeyFilter({"VK12"}) : hotkeys::KeyFilter();
    for (auto _ : state) benchmark::DoNotOptimize(hotkeys::KeyboardMap(conflicts, filter).Keys().data());
}
BENCHMARK(BM_KeyboardMap)->ArgName("alt")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_OfferedFilters(benchmark::State& state)
{
    const hotkeys::ConflictMap conflicts = FullServer();
    for (auto _ : state) benchmark::DoNotOptimize(hotkeys::OfferedFilters(conflicts).data());
}
BENCHMARK(BM_OfferedFilters)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
