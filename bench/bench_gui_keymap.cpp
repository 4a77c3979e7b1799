// "Карта клавиш" for a full server: the 48 actions and 24 texts at their
// defaults and 200 commands with keys of their own, from the conflict map to
// the painted picture, as every hotkey change redraws it.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "app/Application.h"
#include "core/TestSupport.h"
#include "gui/GuiTestSupport.h"
#include "hotkeys/KeyboardMap.h"
#include "session/Session.h"
#include "store/Cp1251.h"
#include "widgets/Keyboard.h"
#include "widgets/KeyboardMapView.h"

namespace {

void BM_BuildAndPaintKeyboardMap(benchmark::State& state)
{
    guitest::ProgramFolder folder;
    std::string keys = "[keys]\r\n";
    const char* mods[] = {"", "VK12 & ", "VK11 & ", "VK10 & ", "VK02 & "};
    const char* last[] = {"VK41", "VK42", "VK43", "VK44", "VK45", "VK46", "VK47", "VK48", "VK49", "VK4A",
                          "VK31", "VK32", "VK33", "VK34", "VK35", "VK36", "VK37", "VK38", "VK39", "VK30",
                          "VK70", "VK71", "VK72", "VK73", "VK74", "VK75", "VK76", "VK77", "VK78", "VK79"};
    for (int i = 0; i < 200; ++i)
        keys += "команда" + std::to_string(i) + "=" + mods[i % 5] + last[i % 30] + "\r\n";
    testsupport::WriteBytes(folder.KeyFile(1), store::Utf8ToCp1251(keys));
    Session session(folder.Path());
    session.LoadServer();
    KeyboardMapView view;
    view.ShowLegend(true);
    QImage canvas(view.size(), QImage::Format_RGB32);
    size_t holders = 0;
    for (auto _ : state) {
        view.SetMap(hotkeys::KeyboardMap(session.Conflicts()));
        QPainter p(&canvas);
        view.Paint(p, true);
        holders = 0;
        for (const hotkeys::MapKey& k : view.Map().Keys()) holders += k.holders.size();
    }
    state.counters["holders"] = double(holders);
}
BENCHMARK(BM_BuildAndPaintKeyboardMap)->Unit(benchmark::kMillisecond);

}  // namespace
