#include "text/ChatLines.h"

#include <algorithm>
#include <array>

namespace text {
namespace {

constexpr std::array<ChatCommand, 2> kCommands = {{
    {"/me ", Echo::Action},
    {"/do ", Echo::Action},
}};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != prefix[i]) return false;
    }
    return true;
}

// Byte offset of the code point that starts after `count` characters.
size_t OffsetOf(std::string_view utf8, size_t from, int count)
{
    size_t i = from;
    while (i < utf8.size() && count > 0) {
        ++i;
        while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
        --count;
    }
    return i;
}

}  // namespace

std::span<const ChatCommand> ChatCommands()
{
    return kCommands;
}

EchoForm EchoFormOf(std::string_view line)
{
    if (line.empty()) return {Echo::None, 0};
    if (line.front() != '/') return {Echo::Chat, 0};
    for (const ChatCommand& c : kCommands)
        if (StartsWithIgnoringCase(line, c.prefix)) return {c.echo, static_cast<int>(c.prefix.size())};
    return {Echo::None, 0};
}

std::string EchoHead(Echo echo, std::string_view nick)
{
    switch (echo) {
    case Echo::Action:
        return "* " + std::string(nick) + " ";
    case Echo::Chat:
        return std::string(nick) + ": ";
    case Echo::None:
        break;
    }
    return {};
}

int CharacterCount(std::string_view utf8)
{
    return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string_view LeadingCommand(std::string_view line)
{
    if (line.empty() || line.front() != '/') return {};
    size_t i = 1;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    const size_t wordEnd = i;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == wordEnd || i == line.size()) return {};
    return line.substr(0, i);
}

ChatMeter::ChatMeter(std::string_view nick)
    : actionExtra_(CharacterCount(EchoHead(Echo::Action, nick))), chatExtra_(CharacterCount(EchoHead(Echo::Chat, nick)))
{
}

int ChatMeter::EchoExtra(Echo echo) const
{
    return echo == Echo::Action ? actionExtra_ : echo == Echo::Chat ? chatExtra_ : 0;
}

LineCheck ChatMeter::Check(std::string_view line) const
{
    LineCheck c;
    c.length = CharacterCount(line);
    c.limit = kInputLimit;
    c.overInput = c.length > kInputLimit;
    const EchoForm form = EchoFormOf(line);
    if (form.echo != Echo::None) {
        const int extra = EchoExtra(form.echo) - form.commandLength;
        c.overEcho = c.length + extra > kEchoLimit;
        c.limit = std::min(c.limit, kEchoLimit - extra);
    }
    return c;
}

std::vector<LineCheck> ChatMeter::CheckText(std::string_view text) const
{
    std::vector<LineCheck> out;
    ForEachLine(text, [&](std::string_view line, std::string_view) { out.push_back(Check(line)); });
    return out;
}

std::vector<std::string> ChatMeter::Split(std::string_view line) const
{
    const LineCheck check = Check(line);
    const std::string_view prefix = LeadingCommand(line);
    const int room = check.limit - CharacterCount(prefix);
    if (!check.Over() || room < 1) return {std::string(line)};

    std::vector<std::string> out;
    size_t pos = prefix.size();
    while (pos < line.size()) {
        const size_t cut = OffsetOf(line, pos, room);
        size_t end = cut;
        size_t next = cut;
        if (cut < line.size()) {
            // The last blank within the room (also one right after it) ends the piece;
            // the search stays within the piece, so a line without blanks is linear.
            size_t blank = cut;
            for (;;) {
                while (blank > pos && !IsBlank(line[blank])) --blank;
                if (blank <= pos || !prefix.empty()) break;
                // A piece of plain chat must not begin as a command: "/q" would run.
                size_t after = blank;
                while (after < line.size() && IsBlank(line[after])) ++after;
                if (after == line.size() || line[after] != '/') break;
                --blank;
            }
            if (blank > pos) {
                end = blank;
                next = blank;
            } else if (prefix.empty() && line[cut] == '/') {
                // One character earlier: the next piece must not begin with the "/".
                size_t earlier = cut - 1;
                while (earlier > pos && (static_cast<unsigned char>(line[earlier]) & 0xC0) == 0x80) --earlier;
                if (earlier > pos) end = next = earlier;
            }
        }
        while (end > pos && IsBlank(line[end - 1])) --end;
        while (next < line.size() && IsBlank(line[next])) ++next;
        if (end > pos) out.push_back(std::string(prefix).append(line.substr(pos, end - pos)));
        pos = next;
    }
    return out;
}

std::string ChatMeter::SplitText(std::string_view text) const
{
    std::string out;
    out.reserve(text.size());
    ForEachLine(text, [&](std::string_view line, std::string_view lineBreak) {
        const std::vector<std::string> pieces = Split(line);
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) out += "\r\n";
            out += pieces[i];
        }
        out += lineBreak;
    });
    return out;
}

}  // namespace text
