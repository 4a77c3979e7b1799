// What the player waits for: one keystroke in a marked 1 MB role-play text
// (also with the chat preview open and repainted), and the search box over a server folder of 24 role-play texts and 200
// commands, from Ctrl+F to the listed results of a typed query.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBlock>

#include "mainwindow/ChatPreviewWindow.h"
#include "mainwindow/SearchBox.h"
#include "widgets/ChatPreviewView.h"
#include "mainwindow/MainWindow.h"
#include "app/Application.h"
#include "core/TestSupport.h"
#include "gui/GuiTestSupport.h"
#include "guibase/Prompts.h"
#include "hotkeys/RolePlayEntries.h"
#include "store/Cp1251.h"
#include "widgets/Memo.h"

namespace {

// About 1 MB in 1251, every 50th line too long for the chat.
std::string MegabyteText()
{
    std::string cp1251;
    for (int i = 0; cp1251.size() < (1u << 20); ++i) {
        std::string line = "/me достал бланк протокола и вписал в него данные нарушителя, строка " + std::to_string(i);
        if (i % 50 == 0) line += std::string(100, '!');
        cp1251 += store::Utf8ToCp1251(line + "\r\n");
    }
    return cp1251;
}

struct Run {
    guitest::ProgramFolder folder;
    std::unique_ptr<Application> app;
    MainWindow* form = nullptr;

    Run()
    {
        prompts::StartRecording();
        app = std::make_unique<Application>(folder.Path());
        app->BuildWindows();
        for (int tick = 0; tick < 10; ++tick) app->Splash()->Tick();
        form = app->Main();
    }
};

void BM_KeystrokeInMarkedMegabyteText(benchmark::State& state)
{
    Run run;
    testsupport::WriteBytes(run.folder.RolePlayFolder(1) + "штраф.txt", MegabyteText());
    run.form->PressMenu(MenuItem::RolePlay);
    run.form->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    auto* memo = run.form->findChild<Memo*>(QStringLiteral("Memo1"));
    QTextCursor cursor(memo->document()->findBlockByNumber(memo->document()->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    memo->setTextCursor(cursor);
    QWidget* preview = state.range(0) ? run.form->OpenPreview(memo)->View()->viewport() : nullptr;
    for (auto _ : state) {
        memo->insertPlainText(QStringLiteral("ж"));  // as typing does: highlighter, status, scroll-bar rule
        if (preview) preview->repaint();               // the preview measures the line and draws it
        state.PauseTiming();
        memo->textCursor().deletePreviousChar();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KeystrokeInMarkedMegabyteText)->ArgName("preview")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SearchOverServerFolder(benchmark::State& state)
{
    Run run;
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += "/me достал КПК и проверил документы гражданина, строка " + std::to_string(line) + "\r\n";
    const std::string cp1251 = store::Utf8ToCp1251(text);
    for (const hotkeys::RolePlayEntry& e : hotkeys::RolePlayEntries())
        if (!e.fileName.empty()) testsupport::WriteBytes(run.folder.RolePlayFolder(1) + std::string(e.fileName), cp1251);
    for (int i = 0; i < 200; ++i)
        testsupport::WriteBytes(run.folder.CommandsFolder(1) + "команда" + std::to_string(i) + ".lcb", cp1251);
    SearchBox* search = run.form->Search();
    int results = 0;
    for (auto _ : state) {
        search->Open();  // reads every file afresh
        search->Edit()->setText(QStringLiteral("строка 3"));
        results = search->Results()->count();
        state.PauseTiming();
        search->Edit()->clear();
        state.ResumeTiming();
    }
    state.counters["results"] = results;
}
BENCHMARK(BM_SearchOverServerFolder)->Unit(benchmark::kMillisecond);

}  // namespace
