#pragma once
// The binder actions edited on the four key pages: where each sits, the
// [hotkeys] identifier it is stored under and the default used while the
// file has no value for it (the default is never written).

#include <span>
#include <string_view>

namespace hotkeys {

struct BinderKey {
    std::string_view iniKey;         // "key37"
    std::string_view defaultHotkey;  // "~VK02 & VK70"
    int page;                        // 1..4
    int row;                         // 1..14 on its page
    std::string_view caption;        // the action, UTF-8
};

// All 48 rows in page and row order (not in key-number order).
std::span<const BinderKey> BinderKeys();

// By INI key, ASCII case ignored as the settings store does ("key37",
// "Key37"); nullptr when no row has it.
const BinderKey* FindBinderKey(std::string_view iniKey);

}  // namespace hotkeys
