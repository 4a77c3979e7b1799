#pragma once
// The settings files' format, as the Windows profile functions read it: how
// bytes (code page 1251) break into lines, sections and keys, and which keys
// a read sees. IniFile reads and writes with it; the import merges with it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace store::ini {

inline constexpr size_t kMaxValueLength = 2047;  // what a read hands out at most

struct Range {
    size_t begin = 0;
    size_t end = 0;
    size_t size() const { return end - begin; }
};

struct Line {
    Range text;    // the line without its break
    size_t next;   // where the following line starts: past this line's own break
    bool header;   // "[name]"
    Range name;    // section name, or key name
    bool hasValue; // a key line with "="
    Range value;
};

inline std::string_view Slice(std::string_view bytes, Range r)
{
    return bytes.substr(r.begin, r.size());
}

// Blanks the profile functions trim: space, tab, 0x0B-0x0D, 0x1A.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\x0B' || c == '\x0C' || c == '\r' || c == '\x1A';
}

inline Range Trim(std::string_view text, Range r)
{
    while (r.begin < r.end && IsBlank(text[r.begin])) ++r.begin;
    while (r.end > r.begin && IsBlank(text[r.end - 1])) --r.end;
    return r;
}

// Calls visit(line) for each line that is not blank, in file order: any run
// of CR and LF ends a line; a line starting with "[" is a header named up to
// its last "]"; another splits at its first "=". Nothing is kept, so a huge
// file costs no memory.
template <class Visit>
void ForEachLine(std::string_view b, Visit&& visit)
{
    size_t pos = 0;
    while (pos < b.size()) {
        if (b[pos] == '\r' || b[pos] == '\n') {
            ++pos;
            continue;
        }
        size_t end = pos;
        while (end < b.size() && b[end] != '\r' && b[end] != '\n') ++end;
        size_t next = end;
        if (next < b.size()) next += (b[next] == '\r' && next + 1 < b.size() && b[next + 1] == '\n') ? 2 : 1;

        Line line{};
        line.text = {pos, end};
        line.next = next;
        const Range t = Trim(b, line.text);
        if (t.size() > 0) {
            if (b[t.begin] == '[') {
                line.header = true;
                const size_t close = b.substr(t.begin, t.size()).rfind(']');
                const size_t nameEnd = close == std::string_view::npos || close == 0 ? t.end : t.begin + close;
                line.name = Trim(b, {t.begin + 1, nameEnd});
            } else {
                const size_t eq = b.substr(t.begin, t.size()).find('=');
                if (eq == std::string_view::npos) {
                    line.name = t;
                } else {
                    line.name = Trim(b, {t.begin, t.begin + eq});
                    line.hasValue = true;
                    line.value = Trim(b, {t.begin + eq + 1, t.end});
                }
            }
            visit(line);
        }
        pos = end;
    }
}

// A key line's value as a read hands it out: one pair of outer quotes
// removed, cut to kMaxValueLength. No "=": nothing.
std::optional<std::string_view> ValueOf(std::string_view bytes, const Line& line);

// The keys a read sees, fed the file's lines in order: in the first section
// of each name, the first line of each key name. A first line without "="
// hides its key (it is seen, with hasValue false: the caller reads no value).
// The lines before the first header are the nameless section ""; "[]" names
// none. Only headers and the key lines of sections it sees matter to it, so
// a caller may leave the others out. Asked for one section, or one key of it, the walk keeps nothing and
// is done once past it; asked for some sections (`wanted`, given a folded
// name), it keeps nothing of the others and sees none of their keys.
class KeyWalk {
public:
    using Wanted = std::function<bool(const std::string& foldedSection)>;

    // The names (1251) must outlive the walk.
    KeyWalk(std::string_view bytes, std::optional<std::string_view> section = std::nullopt,
            std::optional<std::string_view> key = std::nullopt);
    KeyWalk(std::string_view bytes, Wanted wanted);

    // True for a key line a read sees (of the section and key asked for);
    // a header moves the walk on and gives false.
    bool Sees(const Line& line)
    {
        if (line.header) return Enter(line);
        if (!visible_ || done_) return false;
        return SeesKey(Slice(bytes_, line.name));
    }
    // The last line fed belongs to a section a read sees (of the one asked for).
    bool InSection() const { return visible_; }
    // The header of the section of the last line fed; nullptr for the nameless one.
    const Line* Header() const { return hasHeader_ ? &header_ : nullptr; }
    // Asked for one section: it has ended (or the key was found).
    bool Done() const { return done_; }

private:
    // Names compared as reads compare them, without a copy.
    struct FoldedHash {
        size_t operator()(std::string_view s) const;
    };
    struct FoldedEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };

    bool Enter(const Line& header);
    bool SeesKey(std::string_view name);

    std::string_view bytes_;
    std::optional<std::string_view> section_, key_;
    Wanted wanted_;
    Line header_{};
    bool hasHeader_ = false;
    std::unordered_set<std::string_view, FoldedHash, FoldedEqual> sectionsSeen_, keysSeen_;  // only for a whole walk
    bool visible_;
    bool targetSeen_ = false;
    bool done_ = false;
};

}  // namespace store::ini
