#pragma once
// The log of the game's test double, one event a line as it arrives:
//
//   <ms since start, 3 decimals> <event> [data...]
//
//   start <QPC count at start> <QPC frequency>   first line: aligns the clock
//   ready <HWND hex>                             the window is shown
//   focus in | focus out
//   keydown|keyup|syskeydown|syskeyup <VK hex>
//   open                 the chat key opened the line
//   char <byte hex> [opener|closed|ignored]
//                        no tag: typed into the line (08 removes the last);
//                        opener: the opening key's own character, dropped;
//                        closed: the line was closed; ignored: a control byte
//   syschar <byte hex>   a character typed with Alt held: what must not happen
//   sent <hex of the line's 1251 bytes>, then close   (Enter)
//   close                Esc, or after sent
//   keymenu              Alt pressed and released alone: the menu would open
//   buttondown|buttonup <01 left, 02 right, 04 middle, 05/06 x buttons>
//   wheel <delta>        +120 a notch away from the player

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "store/Cp1251.h"

namespace gamelog {

struct Record {
    double ms = 0;
    std::string event;
    std::vector<std::string> args;

    const std::string& Arg(size_t i) const
    {
        static const std::string none;
        return i < args.size() ? args[i] : none;
    }
    bool Is(std::string_view e, std::string_view arg0 = {}) const
    {
        return event == e && (arg0.empty() || Arg(0) == arg0);
    }
};

using Log = std::vector<Record>;

inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

inline std::string HexByte(unsigned value)
{
    return Hex(std::string(1, static_cast<char>(value & 0xFF)));
}

inline std::string Unhex(std::string_view hex)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

// A line cut short (the double writing it right now) is left out.
inline Log Parse(std::string_view text)
{
    Log out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) break;
        std::istringstream line{std::string(text.substr(pos, end - pos))};
        pos = end + 1;
        Record r;
        if (!(line >> r.ms >> r.event)) continue;
        for (std::string arg; line >> arg;) r.args.push_back(arg);
        out.push_back(std::move(r));
    }
    return out;
}

inline Log Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Parse(std::string(std::istreambuf_iterator<char>(in), {}));
}

inline size_t Count(const Log& log, std::string_view event, std::string_view arg0 = {})
{
    size_t n = 0;
    for (const Record& r : log) n += r.Is(event, arg0);
    return n;
}

inline const Record* First(const Log& log, std::string_view event, std::string_view arg0 = {})
{
    for (const Record& r : log)
        if (r.Is(event, arg0)) return &r;
    return nullptr;
}

// The events, one a line, for a failure's message.
inline std::string Dump(const Log& log)
{
    std::string out;
    for (const Record& r : log) {
        out += "\n  " + std::to_string(r.ms) + " " + r.event;
        for (const auto& a : r.args) out += " " + a;
    }
    return out;
}

// What Enter sent, in order, as the 1251 bytes.
inline std::vector<std::string> Sent(const Log& log)
{
    std::vector<std::string> out;
    for (const Record& r : log)
        if (r.event == "sent") out.push_back(Unhex(r.Arg(0)));
    return out;
}

inline std::vector<std::string> SentUtf8(const Log& log)
{
    std::vector<std::string> out = Sent(log);
    for (std::string& s : out) s = store::Cp1251ToUtf8(s);
    return out;
}

// The chat line's 1251 bytes while it is open at the end of the log.
inline std::optional<std::string> OpenLine(const Log& log)
{
    std::optional<std::string> line;
    for (const Record& r : log) {
        if (r.event == "open") {
            line.emplace();
        } else if (r.event == "close") {
            line.reset();
        } else if (r.event == "char" && line && r.args.size() == 1) {
            const std::string byte = Unhex(r.Arg(0));
            if (byte == "\b") {
                if (!line->empty()) line->pop_back();
            } else {
                *line += byte;
            }
        }
    }
    return line;
}

// The double's clock in the caller's QueryPerformanceCounter terms: the QPC
// count of a record's time (0 without a start line).
inline std::int64_t QpcOf(const Log& log, double ms)
{
    const Record* start = First(log, "start");
    if (!start || start->args.size() < 2) return 0;
    const double freq = std::stod(start->Arg(1));
    return std::stoll(start->Arg(0)) + static_cast<std::int64_t>(ms * freq / 1000.0);
}

}  // namespace gamelog
