#pragma once
// The input hook's half of the binder: every key and mouse event passes
// through here on the hook's thread, which must answer at once. It keeps
// which keys are held and whether the player's chat line is open, decides
// whether the event reaches the game, and hands what fired to the engine
// through the channel. No allocation, no file, no waiting.

#include <array>
#include <cstdint>

#include "binder/Channel.h"

namespace binder {

struct KeyTable;

// One input event, in the terms of the hotkey notation: Shift, Ctrl and Alt
// as 0x10-0x12 whichever side, mouse buttons 0x01/0x02/0x04, a wheel notch
// as 0x9F (up) or 0x9E (down), which is a press without a release.
struct KeyInput {
    std::uint8_t vk = 0;
    bool down = true;
    // The character the keyboard layout in force gives for a press (0 for
    // none); asked for only while the matcher reads the chat line (ReadsText).
    char32_t typed = 0;
};

enum class Verdict { Pass, Swallow };

class Matcher {
public:
    // `stillDown(vk)` tells whether a key is really held now: a release the
    // hook never saw (it went to another window) must not leave it held.
    using StillDown = bool (*)(std::uint8_t vk);
    Matcher(Channel& channel, StillDown stillDown);

    // Whether the platform should work out `typed` for the next press.
    bool ReadsText() const;

    // `gameInFront`: the game's window is the foreground window.
    Verdict OnInput(const KeyInput& input, bool gameInFront);

    // For tests: the player's chat line is open as far as the binder knows.
    bool ChatOpen() const { return chatOpen_; }

private:
    static constexpr int kLine = 128;

    const Binding* BestMatch(const KeyTable& table, std::uint8_t vk, Mode mode);
    bool Held(std::uint8_t vk);
    void ResetLine();
    void Record(std::uint8_t vk, char32_t typed);
    // The command the line names, or -1.
    int CommandOfLine(const KeyTable& table) const;
    void Send(const Fired& fired);

    Channel& channel_;
    StillDown stillDown_;
    std::array<bool, 256> held_{};
    std::array<bool, 256> swallowed_{};  // its press was kept from the game: so is its release
    Mode seenMode_ = Mode::Idle;
    bool chatOpen_ = false;
    // The line as typed through the layout, and with letters read by their
    // place on the Russian layout (a player who forgot to switch).
    std::array<char32_t, kLine> typed_{};
    std::array<char32_t, kLine> russian_{};
    int length_ = 0;
    bool lineKnown_ = true;  // false once the cursor moved or history replaced it
};

// The Russian letter at a key's place (lower case), or 0.
char32_t RussianLetterAt(std::uint8_t vk);
// Lower case for Latin and Cyrillic letters.
char32_t FoldLetter(char32_t c);

}  // namespace binder
