#pragma once
// The token of a pressed key by where it sits on the keyboard, not by the
// character the layout gives, so a Russian layout records what a Latin one
// does. Only keys the picker offers give a token.

#include <optional>
#include <string>

namespace hotkeys {

// Windows: the virtual-key code and the scan code with its extended bit
// (0x100). Right-hand Shift/Ctrl/Alt give the generic keys, the pad's Enter
// gives Enter, and the pad's keys give the pad's tokens whatever NumLock says.
std::optional<std::string> TokenForWindowsKey(unsigned virtualKey, unsigned scanCode);

// X11 and Wayland: the keycode (the evdev code + 8).
std::optional<std::string> TokenForX11Keycode(unsigned keycode);

}  // namespace hotkeys
