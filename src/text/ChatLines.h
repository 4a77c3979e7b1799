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

// How the server echoes one line, and the characters of its command that the
// echo leaves out ("/me " of an action; 0 otherwise). An empty line is None.
struct EchoForm {
    Echo echo = Echo::None;
    int commandLength = 0;
};
EchoForm EchoFormOf(std::string_view line);

// What the echo puts before the rest of the line: "* <nick> " for an action,
// "<nick>: " for chat, nothing for a line the server does not echo.
std::string EchoHead(Echo echo, std::string_view nick);

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

    int actionExtra_ = 0;
    int chatExtra_ = 0;
};

// Characters of valid UTF-8, as 1251 stores them.
int CharacterCount(std::string_view utf8);

// The line's leading command with the blanks after it ("/me "); empty when the
// line is no command or nothing follows the command.
std::string_view LeadingCommand(std::string_view line);

// Calls `line(text, lineBreak)` for every line of `text`; CR LF, LF and a lone
// CR each end one. A text ending in a break has an empty last line, as an
// editor shows it.
template <class F>
void ForEachLine(std::string_view text, F&& line)
{
    size_t start = 0;
    while (true) {
        size_t end = start;  // a plain scan: find_first_of calls memchr per character
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        if (end == text.size()) {
            line(text.substr(start), std::string_view());
            return;
        }
        const size_t breakLength = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        line(text.substr(start, end - start), text.substr(end, breakLength));
        start = end + breakLength;
    }
}

}  // namespace text
