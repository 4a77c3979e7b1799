// The chat-line meter and the search index on their own: one line measured
// (what a keystroke costs), a whole 1 MB text measured (a load), and one
// query over 24 role-play texts and 200 commands.

#include <benchmark/benchmark.h>

#include <string>

#include "text/ChatLines.h"
#include "text/Search.h"

namespace {

std::string MegabyteText()
{
    std::string text;
    for (int i = 0; text.size() < (2u << 20); ++i)  // Cyrillic: two UTF-8 bytes a character
        text += "/me достал бланк протокола и вписал в него данные нарушителя, строка " + std::to_string(i) + "\r\n";
    return text;
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
