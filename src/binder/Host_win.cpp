#include "binder/Host.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "binder/Channel.h"
#include "binder/Engine.h"
#include "binder/GameOutput.h"
#include "binder/Handshake.h"
#include "binder/Log.h"
#include "binder/Matcher.h"
#include "companion/Contract.h"
#include "store/Cp1251.h"
#include "store/Files.h"
#include "store/ServerPaths.h"
#include "store/WinText.h"

namespace binder {
namespace {

constexpr char kLogName[] = "Quorvel.log";
constexpr DWORD kBackstopMs = 3000;  // a change notice lost on the way is picked up this late

class WinClock : public Clock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    std::tm Local() override
    {
        const std::time_t now = std::time(nullptr);
        std::tm t{};
        localtime_s(&t, &now);
        return t;
    }
};

// What the hook callbacks reach: set up once before the hooks go in.
struct Hook {
    Matcher* matcher = nullptr;
    DWORD thread = 0;
} g_hook;

bool StillDown(std::uint8_t vk)
{
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

// Asks the hook's thread, once the callback has returned, to press a key
// nobody uses: a key kept from the game while Alt or Win is held would
// otherwise leave the game seeing Alt pressed and released alone (its menu)
// or Win alone (the Start menu).
constexpr UINT kMaskModifiers = WM_APP + 1;
constexpr WORD kMaskVk = 0xE8;

void MaskIfModifierHeld()
{
    if (StillDown(VK_MENU) || StillDown(VK_LWIN) || StillDown(VK_RWIN))
        PostThreadMessageW(g_hook.thread, kMaskModifiers, 0, 0);
}

void PressMask()
{
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = kMaskVk;
        in[i].ki.dwFlags = i == 1 ? KEYEVENTF_KEYUP : 0;
        in[i].ki.dwExtraInfo = kOwnInputMarker;
    }
    SendInput(2, in, sizeof(INPUT));
}

std::uint8_t Generic(DWORD vk)
{
    switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return static_cast<std::uint8_t>(vk);
    }
}

// The character the game's keyboard layout gives for the key, Shift counted.
char32_t TypedBy(const KBDLLHOOKSTRUCT& key, HWND game)
{
    BYTE state[256] = {};
    if (StillDown(VK_SHIFT)) state[VK_SHIFT] = 0x80;
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(game, nullptr));
    wchar_t out[4] = {};
    // 0x4: leave the layout's dead-key state alone; the game types that key.
    const int n = ToUnicodeEx(key.vkCode, key.scanCode, state, out, 4, 0x4, layout);
    return n == 1 ? static_cast<char32_t>(out[0]) : 0;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        const bool own = (key.flags & LLKHF_INJECTED) && key.dwExtraInfo == kOwnInputMarker;
        if (!own && key.vkCode < 256) {
            KeyInput input;
            input.vk = Generic(key.vkCode);
            input.down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            const HWND game = static_cast<HWND>(FrontGameWindow());
            if (input.down && game && g_hook.matcher->ReadsText()) input.typed = TypedBy(key, game);
            if (g_hook.matcher->OnInput(input, game != nullptr) == Verdict::Swallow) {
                if (input.down) MaskIfModifierHeld();
                return 1;
            }
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK MouseProc(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && message != WM_MOUSEMOVE) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        const bool own = (mouse.flags & LLMHF_INJECTED) && mouse.dwExtraInfo == kOwnInputMarker;
        KeyInput input;
        switch (message) {
        case WM_LBUTTONDOWN: input = {0x01, true}; break;
        case WM_LBUTTONUP: input = {0x01, false}; break;
        case WM_RBUTTONDOWN: input = {0x02, true}; break;
        case WM_RBUTTONUP: input = {0x02, false}; break;
        case WM_MBUTTONDOWN: input = {0x04, true}; break;
        case WM_MBUTTONUP: input = {0x04, false}; break;
        case WM_MOUSEWHEEL:
            input = {static_cast<short>(HIWORD(mouse.mouseData)) > 0 ? std::uint8_t(0x9F) : std::uint8_t(0x9E), true};
            break;
        default: input.vk = 0; break;
        }
        if (!own && input.vk != 0 &&
            g_hook.matcher->OnInput(input, FrontGameWindow() != nullptr) == Verdict::Swallow) {
            if (input.down) MaskIfModifierHeld();
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// The hooks live on a thread of their own that does nothing but answer them:
// the system drops a hook that keeps it waiting.
DWORD WINAPI HookThread(void* ready)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    const HINSTANCE self = GetModuleHandleW(nullptr);
    HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, self, 0);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, self, 0);
    g_hook.thread = GetCurrentThreadId();
    SetEvent(static_cast<HANDLE>(ready));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kMaskModifiers) PressMask();
    }
    if (keyboard) UnhookWindowsHookEx(keyboard);
    if (mouse) UnhookWindowsHookEx(mouse);
    return 0;
}

// Changes anywhere below the program folder, by name: the binder's own log
// and the temp files of a save in progress are no news.
class FolderWatch {
public:
    explicit FolderWatch(const std::string& folder)
    {
        folder_ = CreateFileW(store::Widen(folder).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        Arm();
    }
    ~FolderWatch()
    {
        if (folder_ != INVALID_HANDLE_VALUE) {
            CancelIo(folder_);
            CloseHandle(folder_);
        }
        CloseHandle(overlapped_.hEvent);
    }
    bool Watching() const { return armed_; }
    HANDLE Event() const { return overlapped_.hEvent; }

    // After Event() fired: whether something that matters changed.
    bool Changed()
    {
        DWORD bytes = 0;
        const bool done = GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE) != 0;
        bool news = !done || bytes == 0;  // an overflow lost the names: assume the worst
        for (DWORD at = 0; done && at < bytes;) {
            const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + at);
            std::wstring_view path(info->FileName, info->FileNameLength / sizeof(wchar_t));
            const size_t slash = path.find_last_of(L"\\/");
            const std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
            const std::string utf8 = store::Narrow(name);
            if (utf8 != kLogName && !store::TempFileOwner(utf8)) news = true;
            if (info->NextEntryOffset == 0) break;
            at += info->NextEntryOffset;
        }
        Arm();
        return news;
    }

private:
    void Arm()
    {
        ResetEvent(overlapped_.hEvent);
        armed_ = folder_ != INVALID_HANDLE_VALUE &&
                 ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, TRUE,
                                       FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE,
                                       nullptr, &overlapped_, nullptr);
    }

    HANDLE folder_ = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped_{};
    alignas(DWORD) BYTE buffer_[16 * 1024];
    bool armed_ = false;
};

// One binder per program folder: a second start would type every text twice.
HANDLE ClaimFolder(const std::string& exeDir)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : store::FoldedUtf8(exeDir)) hash = (hash ^ (c == '/' ? '\\' : c)) * 1099511628211ull;
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Quorvel.binder.%016llx", static_cast<unsigned long long>(hash));
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return nullptr;
    }
    return mutex;
}

}  // namespace

int RunHost(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            // A windowless program: this reaches only a starter that redirected it.
            std::printf("Quorvel.exe: the binder. Types the role-play texts and commands of the panel's\n"
                        "setup into the game's chat when their hotkeys are pressed; see Quorvel.log.\n"
                        "Usage: Quorvel.exe [%s]\n", std::string(companion::kStartParameter).c_str());
            return 0;
        }
    }
    const std::string exeDir = store::ExeDir();
    HANDLE claim = ClaimFolder(exeDir);
    if (claim == nullptr) return 0;

    Log log(exeDir + kLogName);
    HANDLE wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    Channel channel([](void* event) { SetEvent(static_cast<HANDLE>(event)); }, wake);
    const std::unique_ptr<Output> output = MakeGameOutput();
    WinClock clock;
    Engine engine(exeDir, channel, *output, log, clock);
    AnswerReload(exeDir, log);

    Matcher matcher(channel, StillDown);
    g_hook.matcher = &matcher;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hooks = CreateThread(nullptr, 0, HookThread, ready, 0, nullptr);
    if (hooks == nullptr) {
        log.Line("Не удалось поставить перехват клавиш: биндер только отвечает панели");
    } else {
        WaitForSingleObject(ready, 5000);
    }
    CloseHandle(ready);

    FolderWatch watch(exeDir);
    if (!watch.Watching()) log.Line("Папку не видно на изменения: настройки перечитываются раз в 3 секунды");
    for (;;) {
        const std::optional<std::chrono::milliseconds> next = engine.Run();
        const DWORD timeout = next ? static_cast<DWORD>(std::min<long long>(next->count(), kBackstopMs)) : kBackstopMs;
        const HANDLE events[] = {wake, watch.Event()};
        const DWORD got = WaitForMultipleObjects(watch.Watching() ? 2 : 1, events, FALSE, timeout);
        const bool changed = got == WAIT_OBJECT_0 + 1 && watch.Changed();
        if (changed || (got == WAIT_TIMEOUT && !next)) {
            engine.FilesChanged();
            AnswerReload(exeDir, log);
        }
    }
    CloseHandle(claim);  // never reached: the panel terminates the binder
    return 0;
}

}  // namespace binder
