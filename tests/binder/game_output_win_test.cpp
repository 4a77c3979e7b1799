// The binder's output into a real window under Wine: the test double of the
// game, with real keys (xdotool) held by the player where a case needs them.
// Run under an English locale, where the system code page cannot hold Cyrillic.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "binder/GameOutput.h"
#include "binder/WineDesk.h"
#include "core/BuildPaths.h"
#include "core/TestSupport.h"
#include "store/Cp1251.h"

namespace {

using namespace std::chrono_literals;
using gamelog::Count;
using gamelog::Dump;
using gamelog::Log;
using winedesk::GameDouble;

constexpr std::uint8_t kChatT = 0x54;
constexpr std::uint8_t kChatF6 = 0x75;
const char* const kMessage = "Офицер Петров, жетон №4520: «Стоять!» ёЁ Hello, 12.5% (ok?) — ъЪ";

Log After(const Log& log, size_t from)
{
    return Log(log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end());
}


// The binder's own hook, on a thread of its own, as in Quorvel.exe: with one
// installed, each key pressed waits for it before it reaches the game.
class PassingHook {
public:
    PassingHook()
    {
        thread_ = std::thread([this] {
            HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Pass, GetModuleHandleW(nullptr), 0);
            threadId_ = GetCurrentThreadId();
            installed_ = hook != nullptr;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            if (hook) UnhookWindowsHookEx(hook);
        });
        winedesk::WaitUntil([this] { return threadId_ != 0; });
    }
    ~PassingHook()
    {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    bool Installed() const { return installed_; }

private:
    static LRESULT CALLBACK Pass(int code, WPARAM wParam, LPARAM lParam)
    {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> installed_{false};
};

// A key the player holds down, let go at the end whatever happens.
class HeldKey {
public:
    explicit HeldKey(std::string key) : key_(std::move(key)) { held_ = winedesk::KeyDown(key_); }
    ~HeldKey()
    {
        if (held_) winedesk::KeyUp(key_);
    }
    bool Held() const { return held_; }
    bool Release()
    {
        held_ = held_ && !winedesk::KeyUp(key_);
        return !held_;
    }

private:
    std::string key_;
    bool held_ = false;
};

class GameOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game_ = std::make_unique<GameDouble>(buildpaths::kGameDouble, dir_.File("game.log"));
        ASSERT_TRUE(game_->Ready());
        ASSERT_TRUE(game_->Focus());
        mark_ = game_->WaitQuiet(100ms).size();
    }
    // What arrived since SetUp, once nothing more is on its way.
    Log Arrived() const { return After(game_->WaitQuiet(), mark_); }

    testsupport::TempDir dir_;
    std::unique_ptr<GameDouble> game_;
    std::unique_ptr<binder::Output> out_ = binder::MakeGameOutput();
    size_t mark_ = 0;
};

enum class Held { Nothing, Alt, Hook };
struct Case {
    const char* name;
    std::uint8_t chatKey;
    Held held;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class MessageArrives : public GameOutputTest, public ::testing::WithParamInterface<Case> {};

TEST_P(MessageArrives, WholeAndInOrder)
{
    const Case& c = GetParam();
    std::unique_ptr<PassingHook> hook;
    if (c.held == Held::Hook) {
        hook = std::make_unique<PassingHook>();
        ASSERT_TRUE(hook->Installed());
    }
    std::unique_ptr<HeldKey> alt;
    if (c.held == Held::Alt) {
        alt = std::make_unique<HeldKey>("alt");
        ASSERT_TRUE(alt->Held());
        ASSERT_TRUE(winedesk::WaitUntil([&] { return out_->IsDown(0x12); }));
    }
    ASSERT_TRUE(out_->GameInFront());
    // Three in a row, as a hotkey with several lines types them.
    const std::vector<std::string> messages = {kMessage, "/me достал(а) рацию", "10-4, Z-1"};
    for (const std::string& m : messages) ASSERT_TRUE(out_->Type(c.chatKey, store::Utf8ToCp1251(m), true));
    if (alt) {
        // Still held as the player holds it: the next hotkey under the same Alt works.
        EXPECT_TRUE(out_->IsDown(0x12));
        ASSERT_TRUE(alt->Release());
    }

    const Log log = Arrived();
    EXPECT_EQ(gamelog::SentUtf8(log), messages) << Dump(log);
    EXPECT_EQ(Count(log, "syschar"), 0u);
    EXPECT_EQ(Count(log, "keymenu"), 0u) << "Alt alone reached the game";
    EXPECT_FALSE(gamelog::OpenLine(log));
    // Each opened once, by the chat key asked for.
    EXPECT_EQ(Count(log, "open"), messages.size());
    EXPECT_EQ(Count(log, "keydown", gamelog::HexByte(c.chatKey)), messages.size());
}

INSTANTIATE_TEST_SUITE_P(GameOutput, MessageArrives,
                         ::testing::Values(Case{"ChatKeyT", kChatT, Held::Nothing},
                                           Case{"ChatKeyF6", kChatF6, Held::Nothing},
                                           Case{"AltHeld", kChatT, Held::Alt},
                                           Case{"BesideTheBindersHook", kChatT, Held::Hook}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameOutputTest, UnsentTextStaysInTheOpenLineUntilEsc)
{
    // Control bytes dropped: a line break would send half the line.
    ASSERT_TRUE(out_->Type(kChatT, store::Utf8ToCp1251("Доброго дня,\r\n я офицер\b"), false));
    Log log = Arrived();
    EXPECT_EQ(gamelog::OpenLine(log), store::Utf8ToCp1251("Доброго дня, я офицер"));
    EXPECT_EQ(Count(log, "sent"), 0u);

    ASSERT_TRUE(out_->Press(binder::kVkEsc));
    log = Arrived();
    EXPECT_FALSE(gamelog::OpenLine(log));
    EXPECT_EQ(Count(log, "sent"), 0u);
}

TEST_F(GameOutputTest, PressIsOneDownAndUp)
{
    ASSERT_TRUE(out_->Press(binder::kVkF8));
    const Log log = Arrived();
    std::vector<std::string> events;
    for (const auto& r : log)
        if (r.event != "focus") events.push_back(r.event + " " + r.Arg(0));
    EXPECT_EQ(events, (std::vector<std::string>{"keydown 77", "keyup 77"}));
}

TEST_F(GameOutputTest, NothingReachesAnyWindowWhenAnotherIsInFront)
{
    GameDouble other(buildpaths::kGameDouble, dir_.File("other.log"), {"Notepad test double", 700, 200});
    ASSERT_TRUE(other.Ready());
    ASSERT_TRUE(other.Focus());
    const size_t gameBefore = game_->WaitQuiet().size();
    const size_t otherBefore = other.WaitQuiet().size();

    EXPECT_FALSE(out_->GameInFront());
    EXPECT_FALSE(out_->Type(kChatT, "text", true));
    EXPECT_FALSE(out_->Press(binder::kVkF8));
    EXPECT_EQ(game_->WaitQuiet().size(), gameBefore);
    EXPECT_EQ(other.WaitQuiet().size(), otherBefore);
}

TEST_F(GameOutputTest, TimingsOfALongMessage)
{
    std::string message;
    while (message.size() < 128) message += store::Utf8ToCp1251("Патруль 7, ");
    message.resize(128);
    PassingHook hook;

    const std::int64_t start = winedesk::Qpc();
    ASSERT_TRUE(out_->Type(kChatT, message, true));
    const double returned = winedesk::QpcToMs(winedesk::Qpc() - start);
    const Log all = game_->WaitQuiet();
    const Log log = After(all, mark_);
    ASSERT_EQ(gamelog::Sent(log), std::vector<std::string>{message});

    const auto since = [&](const gamelog::Record* r) {
        return r ? winedesk::QpcToMs(gamelog::QpcOf(all, r->ms) - start) : -1.0;
    };
    const gamelog::Record* typed = nullptr;
    for (const auto& r : log)
        if (!typed && r.event == "char" && r.args.size() == 1) typed = &r;
    std::printf("chat key in the game after %.2f ms, the first character after %.2f ms, "
                "128 characters sent after %.2f ms; Type returned after %.2f ms\n",
                since(gamelog::First(log, "keydown", "54")), since(typed), since(gamelog::First(log, "sent")),
                returned);
}

}  // namespace
