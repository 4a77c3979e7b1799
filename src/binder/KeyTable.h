#pragma once
// What every key means now: the hotkeys of the current server read from the
// setup files, turned into virtual-key codes the input hook matches without
// looking anything up. Built on the engine's thread whenever the files
// change; the hook only reads a finished table.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace binder {

// What a hotkey does in the binder.
enum class ActionKind : std::uint8_t {
    RolePlay,      // a [hotkeys] key of role-play entries: one of their texts
    Command,       // a user command's .lcb file
    Stop,          // key23: stops the text being typed
    FixTarget,     // key39: asks for a player's ID and fixes it
    ForgetTarget,  // key40
    TypeTime,      // key6: "/time"
    Screenshot,    // key7: the game's screenshot key
};

struct Action {
    ActionKind kind = ActionKind::RolePlay;
    std::string key;               // "key3", or the command's name as stored
    std::vector<int> entries;      // RolePlay: RolePlayEntries() indexes of the key, in table order
    std::string hotkey;            // the stored hotkey string, for the log

    bool operator==(const Action&) const = default;
};

// One combination: the keys held, then the key whose press fires it.
struct Binding {
    std::array<std::uint8_t, 3> keys{};  // in the order written; the last fires
    std::uint8_t count = 0;
    bool pass = false;                   // "~": the firing key reaches the game too
    std::uint16_t action = 0;            // in KeyTable::actions

    bool operator==(const Binding&) const = default;
};

// A chat command that types a role-play entry ("/ку"), folded to lower
// case, as UTF-32 so the hook compares it with what the player typed.
struct ChatCommand {
    std::u32string text;
    int entry = -1;

    bool operator==(const ChatCommand&) const = default;
};

struct KeyTable {
    // By priority: where combinations tie, the first one wins (role-play
    // entries in table order, then the binder's actions, then user commands
    // by name).
    std::vector<Binding> bindings;
    std::vector<Action> actions;
    std::vector<ChatCommand> commands;
    std::uint8_t chatKey = 0x54;  // [binder] chat
    int pauseMs = 1200;           // [binder] pause
    int server = 1;               // [global] server
    // Stored hotkeys the binder could not read (hand-edited files), for the log.
    std::vector<std::string> unreadable;

    bool operator==(const KeyTable&) const = default;
};

// The key codes of a hotkey string ("~VK02 & VK72"), by the notation's own
// split; false when it holds no key or a token that is no "VK" + two hex
// digits.
bool ParseHotkey(const std::string& hotkey, Binding& out);

// "VK54" for 0x54.
std::string KeyToken(std::uint8_t vk);

// Reads Setting.ini ([global] server, [hotkeys] with the defaults of absent
// keys, [binder]) and the server's keycomand.ini [keys] in `exeDir`.
KeyTable ReadKeyTable(const std::string& exeDir);

}  // namespace binder
