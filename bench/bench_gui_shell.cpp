// Creating the whole window set, as a start of the panel does before the
// splash can appear.

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
        benchmark::DoNotOptimize(run.State().forms.Form1);
    }
}
BENCHMARK(BM_CreateWindowSet)->Unit(benchmark::kMillisecond);

}  // namespace
