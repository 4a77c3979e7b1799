#include "binder/WineDesk.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "core/TestSupport.h"
#include "store/WinText.h"

namespace winedesk {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
}

namespace {

// Wine starts a Unix program without a Windows process to wait on: a shell
// around it leaves the exit code in a file (renamed into place when complete),
// seen from here through Wine's drive Z:.
int RunUnix(const std::string& program, const std::string& args, DWORD timeoutMs)
{
    // Wine's process ids repeat across prefixes: a random name per process.
    static const std::string self = std::to_string(std::random_device{}()) + "-" + std::to_string(Qpc());
    static std::atomic<unsigned> counter{0};
    const std::string unixFile = "/tmp/quorvel-winedesk-" + self + "-" + std::to_string(counter++) + ".rc";
    std::string windowsFile = "Z:" + unixFile;
    for (char& c : windowsFile)
        if (c == '/') c = '\\';
    std::wstring commandLine = L"/bin/sh -c \"" + store::Widen(program) +
                               L" \\\"$@\\\" >/dev/null 2>&1; echo $? >" + store::Widen(unixFile) + L".tmp; mv " +
                               store::Widen(unixFile) + L".tmp " + store::Widen(unixFile) + L"\" sh " +
                               store::Widen(args);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    const std::filesystem::path codeFile = testsupport::U8Path(windowsFile);
    int code = -1;
    if (WaitUntil([&] { return std::filesystem::exists(codeFile); }, std::chrono::milliseconds(timeoutMs))) {
        std::ifstream(codeFile) >> code;
        std::error_code ec;
        std::filesystem::remove(codeFile, ec);
    }
    return code;
}

std::wstring Quoted(const std::string& utf8)
{
    return L"\"" + store::Widen(utf8) + L"\"";
}

}  // namespace

int Xdotool(const std::string& args)
{
    return RunUnix("/usr/bin/xdotool", args, 10000);
}

bool KeyDown(const std::string& key) { return Xdotool("keydown " + key) == 0; }
bool KeyUp(const std::string& key) { return Xdotool("keyup " + key) == 0; }
bool Key(const std::string& key) { return Xdotool("key " + key) == 0; }
bool Click(int button) { return Xdotool("click " + std::to_string(button)) == 0; }
bool MouseDown(int button) { return Xdotool("mousedown " + std::to_string(button)) == 0; }
bool MouseUp(int button) { return Xdotool("mouseup " + std::to_string(button)) == 0; }

bool Wheel(int notches)
{
    if (notches == 0) return true;
    const int button = notches > 0 ? 4 : 5;
    return Xdotool("click --repeat " + std::to_string(notches > 0 ? notches : -notches) + " --delay 20 " +
                   std::to_string(button)) == 0;
}

std::int64_t Qpc()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double QpcToMs(std::int64_t ticks)
{
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(freq.QuadPart);
}

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisibleOf(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

GameDouble::GameDouble(const std::string& exe, const std::string& logPath, DoubleOptions options)
    : options_(std::move(options)), logPath_(logPath)
{
    char key[8];
    std::snprintf(key, sizeof key, "%02X", options_.chatKey);
    std::wstring commandLine = Quoted(exe) + L" --log " + Quoted(logPath) + L" --title " + Quoted(options_.title) +
                               L" --chat-key " + store::Widen(key) + L" --at " + std::to_wstring(options_.x) + L"," +
                               std::to_wstring(options_.y);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(store::Widen(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        return;
    Search search{process_.dwProcessId, nullptr};
    WaitUntil([&] {
        EnumWindows(FindVisibleOf, reinterpret_cast<LPARAM>(&search));
        return search.found && gamelog::First(Log(), "ready");
    }, 15000ms);
    if (search.found && gamelog::First(Log(), "ready")) window_ = search.found;
}

GameDouble::~GameDouble()
{
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool GameDouble::Focus()
{
    if (!window_) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT r{};
        GetWindowRect(window_, &r);
        const std::string moveAndFocus = "mousemove " + std::to_string((r.left + r.right) / 2) + " " +
                                         std::to_string((r.top + r.bottom) / 2) + " search --name \"^" +
                                         options_.title + "$\" windowfocus";
        if (Xdotool(moveAndFocus) == 0 && WaitUntil([&] { return GetForegroundWindow() == window_; }, 2000ms))
            return true;
    }
    return false;
}

gamelog::Log GameDouble::Log() const
{
    return gamelog::Read(testsupport::U8Path(logPath_));
}

gamelog::Log GameDouble::WaitForLog(const std::function<bool(const gamelog::Log&)>& condition,
                                    std::chrono::milliseconds timeout) const
{
    gamelog::Log log;
    WaitUntil([&] {
        log = Log();
        return condition(log);
    }, timeout);
    return log;
}

gamelog::Log GameDouble::WaitQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) const
{
    gamelog::Log log = Log();
    auto lastChange = std::chrono::steady_clock::now();
    WaitUntil([&] {
        gamelog::Log now = Log();
        if (now.size() != log.size()) {
            log = std::move(now);
            lastChange = std::chrono::steady_clock::now();
        }
        return std::chrono::steady_clock::now() - lastChange >= quiet;
    }, timeout);
    return log;
}

}  // namespace winedesk
