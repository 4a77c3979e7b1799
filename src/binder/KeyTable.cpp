#include "binder/KeyTable.h"

#include <algorithm>
#include <string_view>
#include <optional>

#include "companion/Contract.h"
#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/RolePlayEntries.h"
#include "store/Cp1251.h"
#include "store/IniFile.h"
#include "store/ServerPaths.h"

namespace binder {
namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::uint8_t> KeyCode(const std::string& token)
{
    if (token.size() != 4 || token[0] != 'V' || token[1] != 'K') return std::nullopt;
    const int high = HexDigit(token[2]);
    const int low = HexDigit(token[3]);
    if (high < 0 || low < 0 || (high == 0 && low == 0)) return std::nullopt;
    return static_cast<std::uint8_t>(high * 16 + low);
}

// The binder's own actions that fire, in the key pages' order.
struct OwnAction {
    const char* key;
    ActionKind kind;
};
constexpr OwnAction kOwnActions[] = {
    {"key39", ActionKind::FixTarget},
    {"key40", ActionKind::ForgetTarget},
    {"key6", ActionKind::TypeTime},
    {"key7", ActionKind::Screenshot},
    {"key23", ActionKind::Stop},
};

std::u32string FoldedUtf32(std::string_view utf8)
{
    // Through 1251: every character a command can hold is one of it.
    const std::string folded = store::Cp1251ToUtf8(store::Folded1251(store::Utf8ToCp1251(utf8)));
    std::u32string out;
    for (size_t i = 0; i < folded.size();) {
        const unsigned char c = static_cast<unsigned char>(folded[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < folded.size(); ++k) cp = (cp << 6) | (folded[i + k] & 0x3F);
        out.push_back(cp);
        i += length;
    }
    return out;
}

class Builder {
public:
    explicit Builder(KeyTable& table) : table_(table) {}

    // Adds the action and, when its hotkey reads, its combination.
    void Add(Action action)
    {
        Binding b;
        if (!ParseHotkey(action.hotkey, b)) {
            // A disabled or empty key is no fault; anything else is worth a line.
            if (action.hotkey.find_first_not_of(" ") != std::string::npos)
                table_.unreadable.push_back(action.key + "=" + action.hotkey);
            return;
        }
        b.action = static_cast<std::uint16_t>(table_.actions.size());
        table_.actions.push_back(std::move(action));
        table_.bindings.push_back(b);
    }

private:
    KeyTable& table_;
};

}  // namespace

std::string KeyToken(std::uint8_t vk)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("VK") + kHex[vk >> 4] + kHex[vk & 15];
}

bool ParseHotkey(const std::string& hotkey, Binding& out)
{
    Binding b;
    b.pass = hotkey.find('~') != std::string::npos;
    for (const std::string& token : hotkeys::SplitHotkey(hotkey)) {
        const std::optional<std::uint8_t> code = KeyCode(token);
        if (!code) return false;
        // A key named twice is one key held.
        if (std::find(b.keys.begin(), b.keys.begin() + b.count, *code) != b.keys.begin() + b.count) continue;
        b.keys[b.count++] = *code;
    }
    if (b.count == 0) return false;
    out = b;
    return true;
}

KeyTable ReadKeyTable(const std::string& exeDir)
{
    using namespace companion;
    KeyTable table;
    const store::IniFile settings(store::SettingsFilePath(exeDir));
    table.server = settings.ReadInteger(kServer.section, kServer.key, 1);

    const std::string chat = settings.ReadString(kChatKey.section, kChatKey.key, kChatKey.fallback);
    if (const auto code = KeyCode(chat)) table.chatKey = *code;
    else table.unreadable.push_back("chat=" + chat);
    table.pauseMs = std::clamp(settings.ReadInteger(kPause.section, kPause.key, std::stoi(std::string(kPause.fallback))),
                               kMinPauseMs, kMaxPauseMs);

    Builder builder(table);
    const auto entries = hotkeys::RolePlayEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const hotkeys::RolePlayEntry& e = entries[i];
        if (e.kind == hotkeys::RolePlayKind::CommandOnly) {
            table.commands.push_back({FoldedUtf32(e.command), static_cast<int>(i)});
            continue;
        }
        if (e.kind != hotkeys::RolePlayKind::Hotkey) continue;
        // Entries sharing a key join the action of its first entry.
        const auto shared = std::find_if(table.actions.begin(), table.actions.end(), [&](const Action& a) {
            return a.kind == ActionKind::RolePlay && a.key == e.hotkeyKey;
        });
        if (shared != table.actions.end()) {
            shared->entries.push_back(static_cast<int>(i));
            continue;
        }
        const auto before = table.actions.size();
        builder.Add({ActionKind::RolePlay, std::string(e.hotkeyKey), {static_cast<int>(i)},
                     settings.ReadString(kHotkeySection, e.hotkeyKey, e.defaultHotkey)});
        if (table.actions.size() == before) {
            // No combination: the later entries of the key must not make one.
            table.actions.push_back({ActionKind::RolePlay, std::string(e.hotkeyKey), {static_cast<int>(i)}, ""});
        }
    }
    for (const OwnAction& own : kOwnActions) {
        const hotkeys::BinderKey* key = hotkeys::FindBinderKey(own.key);
        builder.Add({own.kind, own.key, {}, settings.ReadString(kHotkeySection, own.key, key->defaultHotkey)});
    }

    const store::IniFile keyFile(store::KeyFilePath(exeDir, table.server));
    auto commands = keyFile.ReadSection(kCommandKeySection);
    std::stable_sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) {
        return store::FoldedUtf8(a.first) < store::FoldedUtf8(b.first);
    });
    for (auto& [name, hotkey] : commands) builder.Add({ActionKind::Command, name, {}, hotkey});
    return table;
}

}  // namespace binder
