// The real Windows panel, started from a copy of the installed program folder
// beside the real stand-in, with the `windows` platform plugin. What it does
// is read from the files and the process list; input arrives as real mouse
// input and the close as the system's WM_CLOSE.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "binder/Badge.h"
#include "backup/Setup.h"
#include "companion/Processes.h"
#include "core/TestSupport.h"
#include "core/process_test_support.h"
#include "store/Cp1251.h"
#include "store/IniFile.h"
#include "core/BuildPaths.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr char kNick[] = "Ivan_Petrov";

// Runs a command line to its end; its exit code, or -1 when it did not start.
int RunToEnd(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        return -1;
    }
    WaitForSingleObject(info.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

struct WindowSearch {
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (pid == search->pid && IsWindowVisible(hwnd) && std::wstring(title).starts_with(search->title)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        companion::KillProcessByName("Quorvel.exe");
        // A Cyrillic folder, as many players have: the wide calls must carry it.
        program_ = dir_.File("Полиция");
        fs::copy(testsupport::U8Path(buildpaths::kProgramDir), testsupport::U8Path(program_),
                 fs::copy_options::recursive);
        ASSERT_TRUE(testsupport::Exists(program_ + "/QuorvelPanel.exe")) << "install the program folder first";
        ASSERT_EQ(RunToEnd(L"reg.exe add HKCU\\Software\\SAMP /v PlayerName /t REG_SZ /d " +
                      testsupport::U8Path(kNick).wstring() + L" /f"),
                  0);
    }
    void TearDown() override
    {
        if (panel_.hProcess) {
            TerminateProcess(panel_.hProcess, 1);
            WaitForSingleObject(panel_.hProcess, 5000);
            CloseHandle(panel_.hThread);
            CloseHandle(panel_.hProcess);
        }
        companion::KillProcessByName("Quorvel.exe");
        // The prefix is shared with the other Windows tests, which expect no nick there.
        RunToEnd(L"reg.exe delete HKCU\\Software\\SAMP /v PlayerName /f");
    }

    // Starts the panel as a player would: the real platform plugin, and only
    // what its own folder holds (no test paths to Qt).
    bool StartPanel()
    {
        SetEnvironmentVariableW(L"QT_QPA_PLATFORM", nullptr);
        SetEnvironmentVariableW(L"QT_PLUGIN_PATH", nullptr);
        SetEnvironmentVariableW(L"PATH", L"C:\\windows\\system32;C:\\windows");
        const std::wstring exe = testsupport::U8Path(program_ + "/QuorvelPanel.exe").wstring();
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              testsupport::U8Path(program_).wstring().c_str(), &startup, &panel_) != 0;
    }

    HWND MainWindow()
    {
        WindowSearch search{panel_.dwProcessId, L"Quorvel Script", nullptr};
        proctest::WaitUntil(
            [&] {
                EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
                return search.found != nullptr;
            },
            40s);
        return search.found;
    }

    // A left click at a point of the window's client area, through the
    // system's input queue like a real mouse.
    static void Click(HWND window, int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(window, &p);
        SetCursorPos(p.x, p.y);
        proctest::WaitUntil([&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
        });
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &input[0], sizeof(INPUT));
        Sleep(50);  // a press as long as a hand's, not a wait for anything
        SendInput(1, &input[1], sizeof(INPUT));
    }

    bool WaitPanelExit(DWORD& code)
    {
        if (WaitForSingleObject(panel_.hProcess, 20000) != WAIT_OBJECT_0) return false;
        GetExitCodeProcess(panel_.hProcess, &code);
        CloseHandle(panel_.hThread);
        CloseHandle(panel_.hProcess);
        panel_ = {};
        return true;
    }

    std::string Setting(const char* section, const char* key)
    {
        return store::IniFile(program_ + "/Setting.ini").ReadString(section, key, "");
    }

    testsupport::TempDir dir_;
    std::string program_;
    PROCESS_INFORMATION panel_{};
};

TEST_F(Panel, RunsTheCompanionSyncsTheRegistryNickAndStopsItOnClose)
{
    ASSERT_TRUE(StartPanel());
    // The first show, after the splash, starts the companion beside the panel.
    EXPECT_TRUE(proctest::WaitUntil([] { return companion::IsExactProcessRunning("Quorvel.exe"); }, 60s));
    const HWND window = MainWindow();
    ASSERT_NE(window, nullptr) << "the main window never showed";

    // The home page's "АвтоГан" value: one click stores the option and asks
    // the companion to reload; the stand-in answers with the badge of the nick
    // the game client keeps in the registry (no nick is stored yet).
    Click(window, 300, 295);
    EXPECT_TRUE(proctest::WaitUntil([&] { return Setting("setting", "autogun") == "0"; }, 10s));
    EXPECT_TRUE(proctest::WaitUntil([&] { return Setting("global", "жетон") == binder::BadgeFor(kNick); }, 10s))
        << "badge: " << Setting("global", "жетон");
    EXPECT_TRUE(proctest::WaitUntil([&] { return Setting("quorvel", "од") == "0"; }, 10s));

    // The system's close: the panel ends and takes the companion with it.
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(WaitPanelExit(code)) << "the panel did not end on WM_CLOSE";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(proctest::WaitUntil([] { return !companion::IsExactProcessRunning("Quorvel.exe"); }, 10s));
}

TEST_F(Panel, ExportThenImportReplaceRebuildsTheSetupInAnEmptyFolder)
{
    const auto put = [&](const std::string& relative, const std::string& utf8) {
        testsupport::WriteBytes(program_ + "/" + relative, store::Utf8ToCp1251(utf8));
    };
    put("Setting.ini", "[global]\r\nnick=Иван_Петров\r\n[hotkeys]\r\nkey37=VK12 & VK46\r\n");
    put("отыгровки/rp2/штраф.txt", "/me достал бланк\r\n/do Бланк заполнен.");
    put("date/rp3/keycomand.ini", "[keys]\r\nарест=VK12 & VK31\r\n");
    const auto run = [](const std::string& folder, const std::wstring& args) {
        const std::wstring exe = testsupport::U8Path(folder + "/QuorvelPanel.exe").wstring();
        return RunToEnd(L"\"" + exe + L"\" " + args);
    };
    const std::wstring zip = L"\"" + testsupport::U8Path(dir_.File("настройки.zip")).wstring() + L"\"";
    EXPECT_EQ(run(program_, L"--export " + zip), 0);

    // The program alone: no setup file, no setup folder.
    const std::string empty = dir_.File("Пустая");
    fs::copy(testsupport::U8Path(program_), testsupport::U8Path(empty), fs::copy_options::recursive);
    for (const char* part : {"Setting.ini", "отыгровки", "date", "backup"})
        fs::remove_all(testsupport::U8Path(empty + "/" + part));
    EXPECT_EQ(run(empty, L"--import " + zip + L" --replace"), 0);
    const backup::Files imported = backup::ReadSetup(empty + "\\", {});
    EXPECT_GE(imported.size(), 3u);
    EXPECT_EQ(imported, backup::ReadSetup(program_ + "\\", {}));
}

}  // namespace
