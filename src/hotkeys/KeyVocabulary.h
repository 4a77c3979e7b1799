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

// The key's caption, or the token itself when it names no key (hand-edited
// files can hold anything; showing it raw tells the user what is stored).
std::string KeyCaption(std::string_view token);

}  // namespace hotkeys
