#pragma once
// The keyboard as the current server uses it: for every key, the hotkeys that
// end in it, seen through a filter of the keys held before it (Alt, ПКМ, ...).
// Built from the one conflict map, so it shows what the conflict marks know;
// the map copies what it shows and may outlive the conflict map.

#include <string>
#include <string_view>
#include <vector>

#include "hotkeys/Conflicts.h"
#include "hotkeys/KeyVocabulary.h"

namespace hotkeys {

struct BinderKey;

// The keys held before the last key of a combination, as a set: a
// combination passes when its keys before the last are exactly these, in any
// order, a repeated key counted once ("Ctrl+Alt+H" and "Alt+Ctrl+H" both pass
// Alt+Ctrl, though they are two combinations that never clash). No keys: every
// combination passes, a single key's too.
class KeyFilter {
public:
    KeyFilter() = default;
    explicit KeyFilter(Tokens keys);  // kept in KeyRank order, repeats dropped

    const Tokens& Keys() const { return keys_; }
    // "Alt+Ctrl"; empty for no filter.
    std::string Caption() const;
    bool Passes(const Tokens& combination) const;

    bool operator==(const KeyFilter&) const = default;

private:
    Tokens keys_;
};

// The filters worth a button: Alt, Ctrl, Shift and ПКМ always, then every
// other set of keys the combinations hold before their last key (fewer keys
// first). No filter is not among them.
std::vector<KeyFilter> OfferedFilters(const ConflictMap& conflicts);

enum class KeyUse {
    Free,   // no combination that passes the filter ends in it
    Used,   // combinations end in it, each with a holder of its own
    Clash,  // two holders or more share a combination that ends in it
};

// What opens a holder for editing.
enum class HolderEditor {
    Action,    // the picker of a binder action ([hotkeys] key); also when the key serves a text too
    RolePlay,  // the picker of a role-play text ([hotkeys] key)
    Command,   // the command page (the command's name)
    ChatKey,   // the home page's chat key row
};

struct KeyHolder {
    std::string name;         // the conflict map's: "Тайзер", "команда «арест»"
    Tokens tokens;            // the whole combination
    std::string combination;  // its caption: "ПКМ+T"
    bool clash = false;       // another holder has this very combination
    HotkeySource source = HotkeySource::Settings;
    std::string key;          // "key42", or the command's name as stored
    HolderEditor editor = HolderEditor::Action;
    const BinderKey* action = nullptr;  // the binder action of the key, if any
    int rolePlayEntry = -1;             // RolePlayEntries() index of the first text of the key, or -1
};

struct MapKey {
    std::string token;    // "VK48"
    std::string caption;  // "H"
    KeyGroup group = KeyGroup::Ordinary;
    KeyUse use = KeyUse::Free;
    std::vector<KeyHolder> holders;  // in the conflict map's order
    // The system's own combination that the filter's keys with this one
    // would hold ("Alt+Tab"), else empty.
    std::string system;
};

class KeyboardMap {
public:
    explicit KeyboardMap(const ConflictMap& conflicts, KeyFilter filter = {});

    const KeyFilter& Filter() const { return filter_; }
    // Every key of the vocabulary in its order, then the tokens it lacks that
    // a combination ends in (hand-edited files), in order of first use.
    const std::vector<MapKey>& Keys() const { return keys_; }
    const MapKey* Find(std::string_view token) const;

private:
    MapKey& Slot(const std::string& token);

    KeyFilter filter_;
    std::vector<MapKey> keys_;
};

}  // namespace hotkeys
