#pragma once
// Whether the lines of a text fit the game's chat. The companion types every
// line into the chat input, which takes at most 128 characters; the server
// drops (does not cut) a message over 144, and it echoes some lines with the
// player's nick in front, so those must leave room for it. Lengths are counted
// as 1251 stores them: one byte a character. Text is UTF-8.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace text {

inline constexpr int kInputLimit = 128;  // the client's chat input line
inline constexpr int kEchoLimit = 144;   // one server chat message

// How the server echoes a line back to the chat.
enum class Echo {
    None,    // not echoed with the nick: checked against the input limit only
    Action,  // "* <nick> <text after the command>"
    Chat,    // "<nick>: <line>"
};

struct ChatCommand {
    std::string_view prefix;  // with its trailing blank, compared ignoring ASCII case
    Echo echo;
};

// The commands the echo rule knows. Plain lines (not starting with "/") are
// chat; any other command is checked against the input limit only.
std::span<const ChatCommand> ChatCommands();

struct LineCheck {
    int length = 0;      // characters
    int limit = 0;       // the most characters this line may hold
    bool overInput = false;
    bool overEcho = false;
    bool Over() const { return overInput || overEcho; }
};

class ChatMeter {
public:
    explicit ChatMeter(std::string_view nick = {});

    // One line, without its line break.
    LineCheck Check(std::string_view line) const;
    // Every line of `text` (CR LF, LF or lone CR breaks).
    std::vector<LineCheck> CheckText(std::string_view text) const;

    // The line as lines that fit: cut at blanks, each continuation starting
    // with the line's leading command ("/me ", "/b ", ...); a word longer than
    // the room is cut. A line that fits comes back alone and unchanged.
    std::vector<std::string> Split(std::string_view line) const;
    // Every over-long line of `text` split; the text's own line breaks are
    // kept and new ones are CR LF.
    std::string SplitText(std::string_view text) const;

private:
    int EchoExtra(Echo echo) const;

    int nickLength_ = 0;
};

// Characters of valid UTF-8, as 1251 stores them.
int CharacterCount(std::string_view utf8);

// The line's leading command with the blanks after it ("/me "); empty when the
// line is no command or nothing follows the command.
std::string_view LeadingCommand(std::string_view line);

}  // namespace text
