#include "binder/GameOutput.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace binder {

namespace {

constexpr char kTitlePrefix[] = "GTA:SA:MP";
// The game may retitle its window after it showed it: a verdict is kept this long.
constexpr ULONGLONG kTitleRecheckMs = 500;
using namespace std::chrono_literals;

// A game thread that does not answer within this is busy or hung: nothing more is typed.
constexpr UINT kRoundTripTimeoutMs = 250;
// A game loop that does not take a key off its queue within this is stalled.
constexpr auto kTakenTimeout = 500ms;
constexpr auto kSpin = 5ms;
// Unassigned: pressed between Alt's press and release so that the game does
// not take Alt alone as a call for its menu (Windows: its Start menu).
constexpr WORD kMaskVk = 0xE8;

// The last window checked, read from a low-level hook too: one lock-free word
// holds the window (a handle has 32 significant bits), the verdict and when.
std::atomic<std::uint64_t> g_checked{0};

std::uint64_t Verdict(HWND hwnd, bool isGame, ULONGLONG at)
{
    const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd));
    return (std::uint64_t{handle} << 32) | (std::uint64_t{isGame} << 31) | (at & 0x7FFFFFFF);
}

bool TitleIsGame(HWND hwnd)
{
    // InternalGetWindowText sends no message, so a hung window cannot stall a hook.
    wchar_t title[sizeof kTitlePrefix];
    const int n = InternalGetWindowText(hwnd, title, static_cast<int>(sizeof kTitlePrefix));
    if (n < static_cast<int>(sizeof kTitlePrefix) - 1) return false;
    for (size_t i = 0; i + 1 < sizeof kTitlePrefix; ++i)
        if (title[i] != static_cast<unsigned char>(kTitlePrefix[i])) return false;
    return true;
}

bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_RMENU: case VK_RCONTROL: case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_NUMLOCK: case VK_DIVIDE: case VK_SNAPSHOT: case VK_CANCEL:
        return true;
    default:
        return false;
    }
}

INPUT KeyEvent(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    in.ki.dwExtraInfo = kOwnInputMarker;
    return in;
}

bool Send(std::vector<INPUT> events)
{
    if (events.empty()) return true;
    return SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) == events.size();
}

// Runs the messages sent to this thread while it waits: the binder's own
// low-level hook may live here, and every key pressed waits for it.
template <typename Condition>
bool WaitPumping(Condition done)
{
    const auto start = std::chrono::steady_clock::now();
    MSG msg;
    for (;;) {
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (done()) return true;
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited >= kTakenTimeout) return false;
        // A game awake takes its keys within a millisecond or two, and a
        // sleep may last a whole timer tick on Windows: spin first, then
        // sleep while a stalled game keeps us waiting.
        if (waited < kSpin) {
            Sleep(0);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
        }
    }
}

// Returns once the game's thread has asked for its next message: whatever
// it took off its queue before is dealt with.
bool RoundTrip(HWND game)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(game, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kRoundTripTimeoutMs, &result) != 0;
}

// The modifiers the player holds (a hotkey's Alt, say). Held, they would turn
// the chat key and Enter into other commands (Alt+Enter, Win+T).
class HeldModifiers {
public:
    HeldModifiers()
    {
        for (const WORD vk : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN})
            if (GetAsyncKeyState(vk) & 0x8000) held_.push_back(vk);
    }
    bool Release() const { return Send(Events(true)); }
    // Pressed again, so a chain of hotkeys under one held Alt goes on.
    bool Restore() const { return Send(Events(false)); }

private:
    std::vector<INPUT> Events(bool up) const
    {
        std::vector<INPUT> out;
        bool menuKey = false;
        for (const WORD vk : held_) {
            out.push_back(KeyEvent(vk, up));
            menuKey = menuKey || vk == VK_LMENU || vk == VK_RMENU || vk == VK_LWIN || vk == VK_RWIN;
        }
        // Before the release, and after the press again for the player's own release.
        if (menuKey) {
            const auto at = up ? out.begin() : out.end();
            out.insert(at, {KeyEvent(kMaskVk, false), KeyEvent(kMaskVk, true)});
        }
        return out;
    }
    std::vector<WORD> held_;
};

// The keys as the game's thread has taken them off its queue. Posted
// messages overtake input there, so this is how the characters learn that
// the chat key went ahead, and Enter that the characters did. Attached to
// that thread's input, this thread's key state is the game's.
class GameQueue {
public:
    explicit GameQueue(HWND game) : game_(game), thread_(GetWindowThreadProcessId(game, nullptr))
    {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // attaching needs a queue here too
        attached_ = thread_ && thread_ != GetCurrentThreadId() && AttachThreadInput(GetCurrentThreadId(), thread_, TRUE);
    }
    ~GameQueue()
    {
        if (attached_) AttachThreadInput(GetCurrentThreadId(), thread_, FALSE);
    }
    GameQueue(const GameQueue&) = delete;
    GameQueue& operator=(const GameQueue&) = delete;

    // One press and release of `vk`, returning once the game has handled the
    // press: anything posted from then on comes after it and its character.
    bool Press(WORD vk)
    {
        // A release of ours still on its way would look like this press taken.
        if (attached_ && !WaitTaken(vk, false)) return false;
        if (!Send({KeyEvent(vk, false)})) return false;
        bool handled;
        if (attached_) {
            handled = WaitTaken(vk, true) && RoundTrip(game_);
        } else {
            // Blind: the press has passed every hook once the system holds it
            // down; the game's loop takes it within two turns if nothing is queued ahead.
            handled = WaitPumping([&] { return (GetAsyncKeyState(vk) & 0x8000) != 0; }) &&
                      RoundTrip(game_) && RoundTrip(game_);
        }
        // Released even so: it is the key this call pressed.
        Send({KeyEvent(vk, true)});
        return handled;
    }

private:
    bool WaitTaken(WORD vk, bool down) const
    {
        return WaitPumping([&] { return ((GetKeyState(vk) & 0x8000) != 0) == down; });
    }

    HWND game_;
    DWORD thread_;
    bool attached_ = false;
};

class GameOutput final : public Output {
public:
    bool GameInFront() override { return FrontGameWindow() != nullptr; }

    bool IsDown(std::uint8_t vk) override { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

    bool Type(std::uint8_t chatKey, std::string_view cp1251, bool send) override
    {
        HWND game = static_cast<HWND>(FrontGameWindow());
        if (!game) return false;
        const HeldModifiers modifiers;
        if (!modifiers.Release()) return false;
        const bool typed = TypeInto(game, chatKey, cp1251, send);
        if (FrontGameWindow() == game) modifiers.Restore();
        return typed;
    }

    bool Press(std::uint8_t vk) override
    {
        HWND game = static_cast<HWND>(FrontGameWindow());
        if (!game) return false;
        const HeldModifiers modifiers;
        const bool pressed = modifiers.Release() && GameQueue(game).Press(vk);
        if (FrontGameWindow() == game) modifiers.Restore();
        return pressed;
    }

private:
    static bool TypeInto(HWND game, std::uint8_t chatKey, std::string_view cp1251, bool send)
    {
        GameQueue queue(game);
        if (!queue.Press(chatKey)) return false;
        for (const char c : cp1251) {
            const auto byte = static_cast<unsigned char>(c);
            // A control byte would edit or send the line halfway.
            if (byte < 0x20 || byte == 0x7F) continue;
            if (!PostMessageA(game, WM_CHAR, byte, 1)) return false;
        }
        if (!send) return true;
        if (FrontGameWindow() != game) return false;
        // Taken only once every posted character was: the next call starts after it.
        return queue.Press(VK_RETURN);
    }
};

}  // namespace

void* FrontGameWindow()
{
    HWND front = GetForegroundWindow();
    if (!front) return nullptr;
    const ULONGLONG now = GetTickCount64();
    const std::uint64_t last = g_checked.load();
    const std::uint64_t same = Verdict(front, false, 0);
    if ((last >> 32) == (same >> 32) && ((now - last) & 0x7FFFFFFF) < kTitleRecheckMs)
        return (last & (std::uint64_t{1} << 31)) ? front : nullptr;
    const bool isGame = TitleIsGame(front);
    g_checked.store(Verdict(front, isGame, now));
    return isGame ? front : nullptr;
}

std::unique_ptr<Output> MakeGameOutput()
{
    return std::make_unique<GameOutput>();
}

}  // namespace binder
