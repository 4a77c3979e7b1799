// The sync handshake with the real stand-in companion: from a request to the
// "Данные синхронизированы" message, over 50 requests. The stand-in looks at
// the flag every 50 ms; the panel polls every 200 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "mainwindow/MainWindow.h"
#include "app/Application.h"
#include "guibase/Prompts.h"
#include "companion/Processes.h"
#include "gui/GuiTestSupport.h"
#include "widgets/Look.h"
#include "core/BuildPaths.h"

namespace {

void BM_HandshakeLatency(benchmark::State& state)
{
    guitest::ProgramFolder folder;
    std::filesystem::copy_file(buildpaths::kBinder, testsupport::U8Path(folder.File("Quorvel.exe")));
    qputenv("WINEPREFIX", QByteArray::fromStdString(folder.File("wine")));
    prompts::StartRecording();
    Application run(folder.Path());
    run.BuildWindows();
    for (int tick = 0; tick < 10; ++tick) run.Splash()->Tick();
    if (!QTest::qWaitFor([] { return companion::IsExactProcessRunning("Quorvel.exe"); }, 5000)) {
        state.SkipWithError("the stand-in did not start");
        return;
    }
    std::vector<double> latencies;
    for (auto _ : state) {
        const qsizetype before = prompts::Recorded().size();
        // A random phase against the panel's own poll, as a user's click has.
        QTest::qWait(static_cast<int>(std::rand() % 200));
        QElapsedTimer timer;
        timer.start();
        run.Sync().Request();
        if (!QTest::qWaitFor([&] { return prompts::Recorded().size() > before; }, 5000)) {
            state.SkipWithError("no answer within 5 s");
            break;
        }
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        latencies.push_back(seconds * 1e3);
    }
    if (!latencies.empty()) {
        std::sort(latencies.begin(), latencies.end());
        state.counters["median_ms"] = latencies[latencies.size() / 2];
        state.counters["worst_ms"] = latencies.back();
    }
    companion::KillProcessByName("Quorvel.exe");
    if (!QTest::qWaitFor([] { return !companion::IsProcessRunning("Quorvel.exe"); }, 5000))
        state.SkipWithError("the stand-in did not stop");
    prompts::StopRecording();
}
BENCHMARK(BM_HandshakeLatency)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
