#pragma once
// The game as the binder types into it. The engine decides what to type and
// when; an Output puts it into the game's window. One backend per platform
// (GameOutput.h); the engine's tests watch it through a recording one.

#include <cstdint>
#include <string_view>

namespace binder {

// Virtual-key codes the binder presses.
inline constexpr std::uint8_t kVkEnter = 0x0D;
inline constexpr std::uint8_t kVkEsc = 0x1B;
inline constexpr std::uint8_t kVkF8 = 0x77;  // the game's screenshot key

class Output {
public:
    virtual ~Output() = default;

    // The game's window is the foreground window now.
    virtual bool GameInFront() = 0;
    // The key is held now: a virtual-key code, 0x10-0x12 for either side's
    // Shift/Ctrl/Alt, 0x01/0x02/0x04 for the mouse buttons.
    virtual bool IsDown(std::uint8_t vk) = 0;
    // Opens the game's chat line with `chatKey`, types `cp1251` into it and,
    // when `send`, presses Enter. Returns false, having typed nothing, when
    // the game's window is not in front.
    virtual bool Type(std::uint8_t chatKey, std::string_view cp1251, bool send) = 0;
    // One press and release of a key in the game (Esc, F8); false, having
    // pressed nothing, when the game's window is not in front.
    virtual bool Press(std::uint8_t vk) = 0;
};

}  // namespace binder
