// Creating the whole window set, as a start of the panel does right after the
// splash has appeared.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/Application.h"
#include "gui/GuiTestSupport.h"
#include "widgets/Look.h"

namespace {

void BM_CreateWindowSet(benchmark::State& state)
{
    guitest::ProgramFolder folder;
    for (auto _ : state) {
        Application run(folder.Path());
        run.BuildWindows();
        benchmark::DoNotOptimize(run.Main());
    }
}
BENCHMARK(BM_CreateWindowSet)->Unit(benchmark::kMillisecond);

}  // namespace
