#pragma once
// Every hotkey the binder knows for one server, and who holds it: the binder
// actions and role-play texts ([hotkeys] of the settings file, defaults while
// a key is absent), the user commands ([keys] of the server's command file)
// and the key the binder opens the chat with. The companion fires every
// holder of a combination, so two holders of one combination are a conflict
// the player should hear about.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hotkeys {

enum class HotkeySource {
    Settings,  // [hotkeys]: "key37"
    Commands,  // [keys]: the command's name
    Binder,    // the binder's own key: "chat"
};

inline constexpr std::string_view kChatKeyHolder = "chat";

using Tokens = std::vector<std::string>;

struct HotkeyHolder {
    HotkeySource source;
    std::string key;    // as listed: "key2", or the command name as stored
    std::string name;   // for the player: "Тайзер", "команда «арест»"
    std::vector<Tokens> combinations;  // distinct, none empty
};

// Key/value pairs as a section read gives them.
using SectionValues = std::vector<std::pair<std::string, std::string>>;

class ConflictMap {
public:
    // chatKey: the token the binder opens the chat with; empty for none.
    ConflictMap(const SectionValues& settingsHotkeys, const SectionValues& commandKeys,
                std::string_view chatKey = {});

    const std::vector<HotkeyHolder>& Holders() const { return holders_; }
    // Names compared as the settings files do (ASCII and Cyrillic case folded).
    const HotkeyHolder* Find(HotkeySource source, std::string_view key) const;

    // The holders other than `self` (may be null) with exactly this combination.
    std::vector<const HotkeyHolder*> Using(const Tokens& tokens, const HotkeyHolder* self) const;
    // The holders sharing any combination of `self`, `self` left out.
    std::vector<const HotkeyHolder*> SharingWith(const HotkeyHolder& self) const;
    // Every key in some combination of a holder other than `self`, with those holders.
    std::map<std::string, std::vector<const HotkeyHolder*>> KeysUsedBy(const HotkeyHolder* self) const;

private:
    std::vector<HotkeyHolder> holders_;
    std::map<std::string, std::vector<size_t>> byCombination_;
};

// The system's own combination the tokens contain ("Alt+Tab"), if any: the
// system takes those keys before the companion sees them.
std::optional<std::string> ReservedCombination(const Tokens& tokens);

// "Тайзер, команда «арест»".
std::string HolderNames(const std::vector<const HotkeyHolder*>& holders);

}  // namespace hotkeys
