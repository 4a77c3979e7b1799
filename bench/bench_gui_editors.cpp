// Loading and saving a large role-play text through the role-play page, as
// the user does: choose the entry, press Save.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "mainwindow/RolePlayPage.h"
#include "mainwindow/MainWindow.h"
#include "app/Application.h"
#include "guibase/Prompts.h"
#include "core/TestSupport.h"
#include "gui/GuiTestSupport.h"
#include "store/Cp1251.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

namespace {

// About 1 MB of 1251 text: Cyrillic lines of role-play commands.
std::string MegabyteText()
{
    std::string utf8;
    size_t bytes = 0;  // in 1251: one byte a character
    for (int i = 0; bytes < (1u << 20); ++i) {
        const std::string line =
            "/me достал бланк протокола и вписал в него данные нарушителя, строка " + std::to_string(i) + "\r\n";
        utf8 += line;
        bytes += store::Utf8ToCp1251(line).size();
    }
    return utf8;
}

struct Run {
    guitest::ProgramFolder folder;
    std::unique_ptr<Application> app;
    QComboBox* combo = nullptr;
    QPushButton* save = nullptr;

    Run()
    {
        prompts::StartRecording();
        app = std::make_unique<Application>(folder.Path());
        app->BuildWindows();
        for (int tick = 0; tick < 10; ++tick) app->Splash()->Tick();
        app->Main()->PressMenu(MenuItem::RolePlay);
        combo = app->Main()->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        save = app->Main()->findChild<QPushButton*>(QStringLiteral("Button1"));
        testsupport::WriteBytes(folder.RolePlayFolder(1) + "штраф.txt", store::Utf8ToCp1251(MegabyteText()));
    }
};

void BM_LoadMegabyteRolePlayText(benchmark::State& state)
{
    Run run;
    for (auto _ : state) {
        run.combo->setCurrentIndex(0);  // loads the 1 MB file
        state.PauseTiming();
        run.combo->setCurrentIndex(27);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(testsupport::ReadBytes(run.folder.RolePlayFolder(1) + "штраф.txt").size()));
}
BENCHMARK(BM_LoadMegabyteRolePlayText)->Unit(benchmark::kMillisecond);

void BM_SaveMegabyteRolePlayText(benchmark::State& state)
{
    Run run;
    run.combo->setCurrentIndex(0);
    for (auto _ : state) {
        run.save->click();
    }
    if (prompts::RecordedTexts(prompts::Kind::Message).value(0) != QStringLiteral("Saved"))
        state.SkipWithError("not saved");
}
BENCHMARK(BM_SaveMegabyteRolePlayText)->Unit(benchmark::kMillisecond);

}  // namespace
