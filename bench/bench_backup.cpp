// The safety net on a full setup: 24 role-play texts and 200 commands on
// each of the four servers, their key files and the settings file.
//   snapshot: read + pack + write          aim: off the UI thread; reading <= 50 ms
//   import: read archive + plan + apply         aim <= 576 ms (the first journal-less version)

#include <benchmark/benchmark.h>

#include <filesystem>

#include "backup/Apply.h"
#include "backup/Snapshots.h"
#include "core/TestSupport.h"
#include "store/Cp1251.h"

namespace {

namespace fs = std::filesystem;

void FullSetup(const testsupport::TempDir& dir, const std::string& version = "")
{
    const auto put = [&](const std::string& relative, const std::string& utf8) {
        const std::string path = dir.File(relative);
        fs::create_directories(testsupport::U8Path(path).parent_path());
        testsupport::WriteBytes(path, store::Utf8ToCp1251(utf8));
    };
    std::string text;
    for (int line = 0; line < 12; ++line) text += "/me достал из кармана блокнот и записал приметы задержанного" + version + "\r\n";
    std::string settings = "[global]\r\nnick=Ivan_Petrov\r\n[hotkeys]\r\n";
    for (int k = 1; k <= 65; ++k) settings += "key" + std::to_string(k) + "=VK12 & VK" + std::to_string(30 + k % 60) + "\r\n";
    put("Setting.ini", settings);
    for (int n = 1; n <= 4; ++n) {
        const std::string rp = "rp" + std::to_string(n);
        std::string keys = "[keys]\r\n";
        for (int t = 0; t < 24; ++t) put("отыгровки/" + rp + "/текст" + std::to_string(t) + ".txt", text);
        for (int c = 0; c < 200; ++c) {
            put("отыгровки/" + rp + "/команды/команда" + std::to_string(c) + ".lcb", "/me показал жетон\r\n/do Жетон №" + std::to_string(c) + version);
            keys += "команда" + std::to_string(c) + "=VK12 & VK11 & VK" + std::to_string(30 + c % 60) + "\r\n";
        }
        put("date/" + rp + "/keycomand.ini", keys);
    }
}

void BM_SnapshotRead(benchmark::State& state)
{
    testsupport::TempDir dir;
    FullSetup(dir);
    for (auto _ : state) benchmark::DoNotOptimize(backup::Collect(dir.Path(), {}, "now").files.size());
}
BENCHMARK(BM_SnapshotRead)->Unit(benchmark::kMillisecond);

void BM_SnapshotPackAndWrite(benchmark::State& state)
{
    testsupport::TempDir dir;
    FullSetup(dir);
    const backup::Archive setup = backup::Collect(dir.Path(), {}, "now");
    int n = 0;
    for (auto _ : state) {
        // A different stamp and a changed digest each time, so every round writes.
        backup::Archive a = setup;
        a.files["Setting.ini"] += std::to_string(n);
        backup::WriteSnapshot(dir.Path(), a, "20261210-" + std::to_string(100000 + n++));
    }
    state.counters["zip_bytes"] = static_cast<double>(backup::ListSnapshots(dir.Path()).front().size);
}
BENCHMARK(BM_SnapshotPackAndWrite)->Unit(benchmark::kMillisecond);

void BM_ImportReplaceIntoEmptyFolder(benchmark::State& state)
{
    testsupport::TempDir source;
    FullSetup(source);
    const std::string zip = source.File("setup.zip");
    backup::WriteArchive(zip, backup::Collect(source.Path(), {}, "now"));
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<testsupport::TempDir>();
        state.ResumeTiming();
        const backup::Archive a = backup::ReadArchive(zip);
        backup::ApplyPlan(target->Path(), backup::MakePlan(target->Path(), a, backup::Mode::Replace));
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportReplaceIntoEmptyFolder)->Unit(benchmark::kMillisecond);

// Every file of a full setup replaced by another version of it: each one
// has an old file to keep.
void BM_ImportReplaceOverFullSetup(benchmark::State& state)
{
    testsupport::TempDir v1, v2, target;
    FullSetup(v1, " 1");
    FullSetup(v2, " 2");
    FullSetup(target, " 1");
    const std::string zips[2] = {v1.File("setup.zip"), v2.File("setup.zip")};
    backup::WriteArchive(zips[0], backup::Collect(v1.Path(), {}, "now"));
    backup::WriteArchive(zips[1], backup::Collect(v2.Path(), {}, "now"));
    int n = 0;
    for (auto _ : state) {
        const backup::Archive a = backup::ReadArchive(zips[++n % 2]);
        backup::ApplyPlan(target.Path(), backup::MakePlan(target.Path(), a, backup::Mode::Replace));
    }
}
BENCHMARK(BM_ImportReplaceOverFullSetup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
