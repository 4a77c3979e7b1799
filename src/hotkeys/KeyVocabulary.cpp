#include "hotkeys/KeyVocabulary.h"

#include <iterator>
#include <unordered_map>

namespace hotkeys {
namespace {

// The wheel uses 9F/9E, codes Windows leaves unassigned; PrtSc is 2A, not 2C;
// Shift, Ctrl and Alt are the either-side codes. The companion relies on these.
constexpr KeyInfo kKeys[] = {
    // Top row
    {"VK1B", "Esc"},
    {"VK70", "F1"},
    {"VK71", "F2"},
    {"VK72", "F3"},
    {"VK73", "F4"},
    {"VK74", "F5"},
    {"VK75", "F6"},
    {"VK76", "F7"},
    {"VK77", "F8"},
    {"VK78", "F9"},
    {"VK79", "F10"},
    {"VK7A", "F11"},
    {"VK7B", "F12"},
    {"VK2A", "PrtSc"},
    {"VK91", "ScrollLock"},
    {"VK13", "Pause"},
    // Main block
    {"VKC0", "~"},
    {"VK31", "1"},
    {"VK32", "2"},
    {"VK33", "3"},
    {"VK34", "4"},
    {"VK35", "5"},
    {"VK36", "6"},
    {"VK37", "7"},
    {"VK38", "8"},
    {"VK39", "9"},
    {"VK30", "0"},
    {"VKBD", "-"},
    {"VKBB", "="},
    {"VK08", "Backspace"},
    {"VK09", "Tab"},
    {"VK51", "Q"},
    {"VK57", "W"},
    {"VK45", "E"},
    {"VK52", "R"},
    {"VK54", "T"},
    {"VK59", "Y"},
    {"VK55", "U"},
    {"VK49", "I"},
    {"VK4F", "O"},
    {"VK50", "P"},
    {"VKDB", "{"},
    {"VKDD", "}"},
    {"VKDC", "\\"},
    {"VK14", "CapsLock"},
    {"VK41", "A"},
    {"VK53", "S"},
    {"VK44", "D"},
    {"VK46", "F"},
    {"VK47", "G"},
    {"VK48", "H"},
    {"VK4A", "J"},
    {"VK4B", "K"},
    {"VK4C", "L"},
    {"VKBA", ": (Русская Ж)"},
    {"VKDE", "\" (Русская Э)"},
    {"VK0D", "Enter"},
    {"VK10", "Shift"},
    {"VK5A", "Z"},
    {"VK58", "X"},
    {"VK43", "C"},
    {"VK56", "V"},
    {"VK42", "B"},
    {"VK4E", "N"},
    {"VK4D", "M"},
    {"VKBC", "<"},
    {"VKBE", ">"},
    {"VKBF", "?"},
    {"VK11", "Ctrl"},
    {"VK5B", "LWin"},
    {"VK12", "Alt"},
    {"VK20", "Space"},
    {"VK5C", "RWin"},
    // Navigation block
    {"VK2D", "Insert"},
    {"VK24", "Home"},
    {"VK21", "PageUp"},
    {"VK2E", "Delete"},
    {"VK23", "End"},
    {"VK22", "PageDown"},
    {"VK26", "Up"},
    {"VK25", "Left"},
    {"VK28", "Down"},
    {"VK27", "Right"},
    // Numeric pad
    {"VK90", "NumLock"},
    {"VK6F", "Num/"},
    {"VK6A", "Num*"},
    {"VK6D", "Num-"},
    {"VK67", "Num7"},
    {"VK68", "Num8"},
    {"VK69", "Num9"},
    {"VK6B", "Num+"},
    {"VK64", "Num4"},
    {"VK65", "Num5"},
    {"VK66", "Num6"},
    {"VK61", "Num1"},
    {"VK62", "Num2"},
    {"VK63", "Num3"},
    {"VK60", "Num0"},
    {"VK6E", "NumDel"},
    // Mouse
    {"VK01", "ЛКМ"},
    {"VK02", "ПКМ"},
    {"VK04", "СКМ"},
    {"VK9F", "WheelUp"},
    {"VK9E", "WheelDown"},
};

struct HeldKey {
    std::string_view token;
    KeyGroup group;
};

// In the order captions name them.
constexpr HeldKey kHeldKeys[] = {
    {"VK12", KeyGroup::Modifier},  // Alt
    {"VK11", KeyGroup::Modifier},  // Ctrl
    {"VK10", KeyGroup::Modifier},  // Shift
    {"VK5B", KeyGroup::Modifier},  // LWin
    {"VK5C", KeyGroup::Modifier},  // RWin
    {"VK01", KeyGroup::Mouse},
    {"VK02", KeyGroup::Mouse},
    {"VK04", KeyGroup::Mouse},
    {"VK9F", KeyGroup::Mouse},
    {"VK9E", KeyGroup::Mouse},
};

constexpr int kHeldCount = static_cast<int>(std::size(kHeldKeys));
constexpr int kKeyCount = static_cast<int>(std::size(kKeys));

}  // namespace

KeyGroup GroupOf(std::string_view token) {
    for (const HeldKey& held : kHeldKeys) {
        if (held.token == token) {
            return held.group;
        }
    }
    return KeyGroup::Ordinary;
}

int KeyRank(std::string_view token) {
    for (int i = 0; i < kHeldCount; ++i) {
        if (kHeldKeys[i].token == token) {
            return i;
        }
    }
    const KeyInfo* key = FindKey(token);
    return key ? kHeldCount + static_cast<int>(key - kKeys) : kHeldCount + kKeyCount;
}

std::span<const KeyInfo> KeyVocabulary() {
    return kKeys;
}

const KeyInfo* FindKey(std::string_view token) {
    // Captions of whole maps look up hundreds of tokens: an index pays.
    static const auto index = [] {
        std::unordered_map<std::string_view, const KeyInfo*> out;
        for (const KeyInfo& key : kKeys) {
            out.emplace(key.token, &key);
        }
        return out;
    }();
    const auto it = index.find(token);
    return it == index.end() ? nullptr : it->second;
}

std::string KeyCaption(std::string_view token) {
    const KeyInfo* key = FindKey(token);
    return std::string(key ? key->caption : token);
}

}  // namespace hotkeys
