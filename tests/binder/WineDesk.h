#pragma once
// The desktop of the end-to-end tests under Wine on Xvfb: the game's test
// double as a process with its window and log, real input through xdotool
// (which Wine takes as the keyboard's and mouse's own), and waits with
// timeouts. Xvfb has no window manager, so a window gets the keyboard only
// with the pointer inside it and an explicit focus.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "gamedouble/GameLog.h"

namespace winedesk {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5000ms);

// Runs `/usr/bin/xdotool <args>` and waits for it: its exit code, -1 when it
// did not start or did not end in time. The events reach windows a little
// later: wait for them in the log. Key names are X keysyms ("alt", "t",
// "F8", "Return"); buttons 1 left, 2 middle, 3 right.
int Xdotool(const std::string& args);
bool KeyDown(const std::string& key);
bool KeyUp(const std::string& key);
bool Key(const std::string& key);
bool Click(int button);
bool MouseDown(int button);
bool MouseUp(int button);
// Notches of the wheel: positive away from the player (button 4), negative toward (5).
bool Wheel(int notches);

// This process's QueryPerformanceCounter now.
std::int64_t Qpc();
double QpcToMs(std::int64_t ticks);

struct DoubleOptions {
    std::string title = "GTA:SA:MP test double";  // ASCII: xdotool finds it by this
    int x = 40;
    int y = 40;
    std::uint8_t chatKey = 0x54;
};

// A running GameDouble.exe; ended when the object goes.
class GameDouble {
public:
    // Starts it with its log at logPath (UTF-8) and waits until its window shows.
    GameDouble(const std::string& exe, const std::string& logPath, DoubleOptions options = {});
    ~GameDouble();
    GameDouble(const GameDouble&) = delete;
    GameDouble& operator=(const GameDouble&) = delete;

    bool Ready() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    HANDLE Process() const { return process_.hProcess; }
    const std::string& Title() const { return options_.title; }

    // Pointer into the window, X focus on it, until Windows calls it the
    // foreground window.
    bool Focus();

    gamelog::Log Log() const;
    // Waits until the log satisfies `condition`; the log as last read.
    gamelog::Log WaitForLog(const std::function<bool(const gamelog::Log&)>& condition,
                            std::chrono::milliseconds timeout = 5000ms) const;
    // Waits until the log has not grown for `quiet`: everything on its way arrived.
    gamelog::Log WaitQuiet(std::chrono::milliseconds quiet = 300ms,
                           std::chrono::milliseconds timeout = 5000ms) const;

private:
    DoubleOptions options_;
    std::string logPath_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace winedesk
