// The conflict map over every hotkey, as the panel builds it each time a key
// page, an editor or the picker shows keys.
//   read both sections and build the map: 64 stored keys, 200 commands   aim <= 2 ms

#include <benchmark/benchmark.h>

#include <string>

#include "core/TestSupport.h"
#include "hotkeys/Conflicts.h"
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

}  // namespace

BENCHMARK_MAIN();
