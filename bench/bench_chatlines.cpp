// The chat-line meter, the chat preview and the search index on their own:
// one line measured (what a keystroke costs), a whole 1 MB text measured (a
// load), the preview following a keystroke in that text, and one query over
// 24 role-play texts and 200 commands.
//   preview, one keystroke in a 1 MB text (a character, or Enter)   aim < 1 ms

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "text/ChatLines.h"
#include "text/ChatPreview.h"
#include "text/Search.h"

namespace {

std::string MegabyteText()
{
    std::string text;
    for (int i = 0; text.size() < (2u << 20); ++i)  // Cyrillic: two UTF-8 bytes a character
        text += "/me достал бланк протокола и вписал в него данные нарушителя, строка " + std::to_string(i) + "\r\n";
    return text;
}

// The profile a preview fills a text with.
text::Values PreviewValues()
{
    text::Profile profile;
    profile.nick = "Ivan_Petrovich_Sidorov";
    profile.rank = "Сержант";
    return text::PreviewValues(profile, "08:30", "10.12.2026");
}

void BM_CheckOneLine(benchmark::State& state)
{
    const text::ChatMeter meter("Ivan_Petrovich_Sidorov");
    const std::string line = "/me достал бланк протокола и вписал в него данные нарушителя, строка 1234";
    for (auto _ : state) benchmark::DoNotOptimize(meter.Check(line));
}
BENCHMARK(BM_CheckOneLine);

void BM_CheckMegabyteText(benchmark::State& state)
{
    const text::ChatMeter meter("Ivan_Petrovich_Sidorov");
    const std::string text = MegabyteText();
    for (auto _ : state) benchmark::DoNotOptimize(meter.CheckText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CheckMegabyteText)->Unit(benchmark::kMillisecond);

void BM_PreviewBuildMegabyte(benchmark::State& state)
{
    const std::string text = MegabyteText();
    for (auto _ : state) benchmark::DoNotOptimize(text::ChatPreview(PreviewValues(), text).LineCount());
}
BENCHMARK(BM_PreviewBuildMegabyte)->Unit(benchmark::kMillisecond);

// A character typed into a line in the middle, then taken back: one line
// measured each time, as the editor reports it.
void BM_PreviewTypeCharacter(benchmark::State& state)
{
    text::ChatPreview preview(PreviewValues(), MegabyteText());
    const int line = preview.LineCount() / 2;
    const std::string before = "/me достал бланк протокола и вписал в него данные нарушителя, строка 1234";
    const std::vector<std::string> typed[2] = {{before + "ж"}, {before}};
    int i = 0;
    for (auto _ : state) preview.Edited(line, typed[++i % 2], preview.LineCount());
    state.counters["lines"] = preview.LineCount();
}
BENCHMARK(BM_PreviewTypeCharacter)->Unit(benchmark::kMicrosecond);

// Enter in the second line, then Backspace: every line after it moves.
void BM_PreviewEnterNearTheTop(benchmark::State& state)
{
    text::ChatPreview preview(PreviewValues(), MegabyteText());
    const std::vector<std::string> split = {"/me достал бланк", "протокола и вписал в него данные нарушителя"};
    const std::vector<std::string> joined = {split[0] + " " + split[1]};
    bool enter = true;
    for (auto _ : state) {
        const int count = preview.LineCount();
        if (enter) preview.Edited(1, split, count + 1);
        else preview.Edited(1, joined, count - 1);
        enter = !enter;
    }
}
BENCHMARK(BM_PreviewEnterNearTheTop)->Unit(benchmark::kMicrosecond);

void BM_SearchQuery(benchmark::State& state)
{
    text::SearchIndex index;
    std::string body;
    for (int line = 0; line < 40; ++line) body += "/me достал КПК и проверил документы гражданина, строка\r\n";
    for (int i = 0; i < 24 + 200; ++i) index.Add("Отыгровка " + std::to_string(i), body);
    for (auto _ : state) benchmark::DoNotOptimize(index.Find("документы гражд"));
}
BENCHMARK(BM_SearchQuery)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
