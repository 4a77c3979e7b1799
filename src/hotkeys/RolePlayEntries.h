#pragma once
// The fixed role-play entries of the role-play editor: the text file the
// companion types and what triggers it. Texts are the system's own (UTF-8),
// kept letter for letter because users and stored files know them.

#include <span>
#include <string_view>

namespace hotkeys {

enum class RolePlayKind {
    Hotkey,       // file + [hotkeys] key
    CommandOnly,  // file, triggered by the chat command named in the note
    NoFile,       // a caption and nothing else
};

// Entries that share a key and are chosen by whether a player is fixed.
enum class Fixation {
    Any,
    Fixed,     // only while a player is fixed
    NotFixed,  // only while none is
};

struct RolePlayEntry {
    std::string_view caption;        // list text
    std::string_view fileName;       // in the server's role-play folder; empty for NoFile
    std::string_view hotkeyKey;      // "key2"; empty unless Hotkey
    std::string_view defaultHotkey;  // used while the key is absent; may be empty (key65)
    std::string_view activationNote; // shown instead of a hotkey; only CommandOnly
    RolePlayKind kind;
    std::string_view command = {};   // CommandOnly: the chat command that types it ("/ку")
    Fixation fixation = Fixation::Any;
};

// All 28 entries; the index is the entry's position in the list. Several
// entries share one key (key3, key8): one stored value serves them all.
std::span<const RolePlayEntry> RolePlayEntries();

}  // namespace hotkeys
