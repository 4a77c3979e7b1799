#pragma once
// The keys the picker offers: a token ("VK" + two upper-case hex digits, the
// Windows virtual-key code) and the caption shown for it.

#include <span>
#include <string>
#include <string_view>

namespace hotkeys {

struct KeyInfo {
    std::string_view token;    // "VK70"
    std::string_view caption;  // "F1", UTF-8
};

// All 104 keys, grouped as on the picker: top row, main block, navigation,
// numeric pad, mouse.
std::span<const KeyInfo> KeyVocabulary();

// Exact, case-sensitive token match; nullptr for a token we do not offer.
const KeyInfo* FindKey(std::string_view token);

// Keys held while another is pressed, shown apart from the ordinary keys:
// Alt, Ctrl, Shift and the Windows keys, and the mouse's buttons and wheel.
enum class KeyGroup { Ordinary, Modifier, Mouse };
KeyGroup GroupOf(std::string_view token);

// Where a token stands in captions and filters built from a set of keys:
// Alt, Ctrl, Shift, LWin, RWin, the mouse (ЛКМ, ПКМ, СКМ, wheel), then the
// other keys in the picker's order; tokens we do not offer last.
int KeyRank(std::string_view token);

// The key's caption, or the token itself when it names no key (hand-edited
// files can hold anything; showing it raw tells the user what is stored).
std::string KeyCaption(std::string_view token);

}  // namespace hotkeys
