// The binder's input hook: every key and mouse event of the whole system goes
// through the matcher on the hook's thread before any program sees it.
//   one event against the table of a full server (20 texts, 5 actions, 200 commands)   aim < 1 us
//   reading that table from the setup files after a change notice                      aim well under 10 ms

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "binder/Channel.h"
#include "binder/KeyTable.h"
#include "binder/Matcher.h"
#include "core/TestSupport.h"
#include "store/Cp1251.h"

namespace {

// A server's setup: every default of [hotkeys], 200 user commands.
class FullServer {
public:
    FullServer()
    {
        std::string commands = "[keys]\r\n";
        for (int c = 0; c < 200; ++c)
            commands += "команда" + std::to_string(c) + "=VK12 & VK11 & VK" + std::to_string(30 + c % 60) + "\r\n";
        testsupport::WriteBytes(dir_.File("Setting.ini"),
                                store::Utf8ToCp1251("[global]\r\nnick=Ivan_Petrov\r\nserver=1\r\n"));
        std::filesystem::create_directories(testsupport::U8Path(dir_.File("date/rp1")));
        testsupport::WriteBytes(dir_.File("date/rp1/keycomand.ini"), store::Utf8ToCp1251(commands));
    }
    const std::string& Dir() const { return dir_.Path(); }

private:
    testsupport::TempDir dir_;
};

bool AlwaysDown(std::uint8_t)
{
    return true;
}

// A player's minute: walking (WASD held and let go), aiming, letters, the
// wheel, and a hotkey now and then, game in front.
void BM_MatchOneEvent(benchmark::State& state)
{
    FullServer server;
    const binder::KeyTable table = binder::ReadKeyTable(server.Dir());
    binder::Channel channel;
    channel.Publish(&table);
    binder::Matcher matcher(channel, AlwaysDown);
    const binder::KeyInput events[] = {
        {0x57, true}, {0x41, true}, {0x57, false}, {0x41, false}, {0x02, true},  {0x9F, true},
        {0x45, true}, {0x45, false}, {0x02, false}, {0x12, true}, {0x46, true}, {0x46, false},
        {0x12, false}, {0x53, true}, {0x53, false}, {0x20, true}, {0x20, false}, {0x9E, true},
    };
    size_t i = 0;
    binder::Fired fired;
    for (auto _ : state) {
        benchmark::DoNotOptimize(matcher.OnInput(events[i], true));
        if (++i == std::size(events)) {
            i = 0;
            while (channel.Pop(fired)) {
            }
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MatchOneEvent);

void BM_ReadKeyTable(benchmark::State& state)
{
    FullServer server;
    for (auto _ : state) benchmark::DoNotOptimize(binder::ReadKeyTable(server.Dir()));
}
BENCHMARK(BM_ReadKeyTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
