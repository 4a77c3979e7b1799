#pragma once
// The binder actions edited on the four key pages: where each sits, the
// [hotkeys] identifier it is stored under and the default used while the
// file has no value for it (the default is never written).

#include <span>
#include <string>
#include <string_view>

namespace hotkeys {

struct BinderKey {
    std::string_view iniKey;         // "key37"
    std::string_view defaultHotkey;  // "~VK02 & VK70"
    int page;                        // 1..4
    int row;                         // 1..14 on its page
    std::string_view keyLabel;       // "PK1_1": the label showing the caption
    std::string_view caption;        // the action, UTF-8
};

// All 48 rows in page and row order (not in key-number order).
std::span<const BinderKey> BinderKeys();

// The key image's name: "Key" + the number of the INI key ("Key37").
std::string KeyImageName(const BinderKey& key);

// By INI key or key image name, ASCII case ignored ("key37", "Key37");
// nullptr when no row has it.
const BinderKey* FindBinderKey(std::string_view iniKeyOrImageName);

}  // namespace hotkeys
