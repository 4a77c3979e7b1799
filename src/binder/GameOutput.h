#pragma once
// The game's window on Windows: found by its title, typed into so that every
// 1251 character arrives intact whatever the system's locale and layout.

#include <cstdint>
#include <memory>

#include "binder/Output.h"

namespace binder {

// dwExtraInfo of every input event the binder makes itself, so its own hook
// lets them pass untouched.
inline constexpr std::uintptr_t kOwnInputMarker = 0x51564C42;  // "QVLB"

// The game's window when it is the foreground window, else nullptr (an HWND).
void* FrontGameWindow();

std::unique_ptr<Output> MakeGameOutput();

}  // namespace binder
