#include "store/IniFile.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_set>
#include <vector>

#include "store/Cp1251.h"

namespace store {

namespace {

constexpr size_t kMaxValueLength = 2047;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\x0B' || c == '\x0C' || c == '\r' || c == '\x1A';
}

struct Range {
    size_t begin = 0;
    size_t end = 0;
    size_t size() const { return end - begin; }
};

Range Trim(std::string_view text, Range r)
{
    while (r.begin < r.end && IsBlank(text[r.begin])) ++r.begin;
    while (r.end > r.begin && IsBlank(text[r.end - 1])) --r.end;
    return r;
}

// Line breaks inside a name or value would split it into other lines of the
// file, so they never reach the disk.
std::string Flatten(std::string_view utf8)
{
    std::string out = Utf8ToCp1251(utf8);
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return out;
}

}  // namespace

struct IniFile::Document {
    struct Line {
        Range text;   // the line without its break
        size_t next;  // where the following line starts: past this line's own break
        bool header;
        Range name;   // section name, or key name
        bool hasValue;
        Range value;
    };

    ReadStatus status = ReadStatus::Missing;
    FileStamp stamp;
    std::string bytes;
    std::vector<Line> lines;

    void Parse()
    {
        const std::string_view b = bytes;
        lines.reserve(bytes.size() / 16);
        size_t pos = 0;
        while (pos < b.size()) {
            // Any run of CR and LF ends a line; the runs themselves hold no lines.
            if (b[pos] == '\r' || b[pos] == '\n') {
                ++pos;
                continue;
            }
            size_t end = pos;
            while (end < b.size() && b[end] != '\r' && b[end] != '\n') ++end;
            size_t next = end;
            if (next < b.size()) next += (b[next] == '\r' && next + 1 < b.size() && b[next + 1] == '\n') ? 2 : 1;

            Line line {};
            line.text = {pos, end};
            line.next = next;
            const Range t = Trim(b, line.text);
            if (t.size() > 0) {
                if (b[t.begin] == '[') {
                    line.header = true;
                    size_t close = b.substr(t.begin, t.size()).rfind(']');
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
                lines.push_back(line);
            }
            pos = end;
        }
    }

    std::string_view Text(Range r) const { return std::string_view(bytes).substr(r.begin, r.size()); }

    // Index of the first line of the first matching section, and one past its
    // last line. Lines before the first header form the nameless section "".
    std::optional<std::pair<size_t, size_t>> FindSection(std::string_view section) const
    {
        size_t first = 0;
        bool found = section.empty();
        for (size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].header) continue;
            if (found) return std::make_pair(first, i);
            if (EqualsIgnoringCase1251(Text(lines[i].name), section)) {
                found = true;
                first = i + 1;
            }
        }
        if (found) return std::make_pair(first, lines.size());
        return std::nullopt;
    }

    const Line* FindKey(std::string_view section, std::string_view key) const
    {
        const auto s = FindSection(section);
        if (!s) return nullptr;
        for (size_t i = s->first; i < s->second; ++i)
            if (EqualsIgnoringCase1251(Text(lines[i].name), key)) return &lines[i];
        return nullptr;
    }
};

namespace {

IniFile::Document Parsed(std::string bytes)
{
    IniFile::Document doc;
    doc.status = ReadStatus::Ok;
    doc.bytes = std::move(bytes);
    doc.Parse();
    return doc;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}
IniFile::~IniFile() = default;

std::shared_ptr<const IniFile::Document> IniFile::Load() const
{
    const FileStamp now = StatFile(path_);
    if (cache_ && cache_->stamp == now && (!now.exists || IsSettled(now))) return cache_;

    auto doc = std::make_shared<Document>();
    FileContents contents = ReadWholeFile(path_);
    doc->status = contents.status;
    doc->stamp = contents.stamp;
    doc->bytes = std::move(contents.bytes);
    doc->Parse();
    cache_ = doc;
    return doc;
}

namespace {

// The stored text of a key line as the profile functions hand it out:
// trimmed, one pair of outer quotes removed, cut to the read limit. No value:
// nullopt.
std::optional<std::string_view> LineValue(const IniFile::Document& doc, const IniFile::Document::Line* line)
{
    if (line == nullptr || !line->hasValue) return std::nullopt;
    std::string_view value = doc.Text(line->value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > kMaxValueLength) value = value.substr(0, kMaxValueLength);
    return value;
}

std::optional<std::string_view> StoredValue(const IniFile::Document& doc, std::string_view section,
                                            std::string_view key)
{
    return LineValue(doc, doc.FindKey(Utf8ToCp1251(section), Utf8ToCp1251(key)));
}

}  // namespace

namespace {

std::vector<std::pair<std::string, std::string>> SectionOf(const IniFile::Document& doc, std::string_view section)
{
    std::vector<std::pair<std::string, std::string>> out;
    const auto s = doc.FindSection(Utf8ToCp1251(section));
    if (!s) return out;
    std::unordered_set<std::string> seen;
    for (size_t i = s->first; i < s->second; ++i) {
        const IniFile::Document::Line& line = doc.lines[i];
        // A later duplicate is invisible to reads, and so is a first one
        // without "=" (it reads as absent).
        if (!seen.insert(Folded1251(doc.Text(line.name))).second) continue;
        if (const auto value = LineValue(doc, &line))
            out.emplace_back(Cp1251ToUtf8(doc.Text(line.name)), Cp1251ToUtf8(*value));
    }
    return out;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> IniFile::ReadSection(std::string_view section) const
{
    return SectionOf(*Load(), section);
}

std::vector<std::pair<std::string, std::string>> IniFile::ParseSection(std::string_view bytes, std::string_view section)
{
    return SectionOf(Parsed(std::string(bytes)), section);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    const auto doc = Load();
    const auto value = StoredValue(*doc, section, key);
    return value ? Cp1251ToUtf8(*value) : std::string(defaultValue);
}

int IniFile::ParseInteger(std::string_view text, int defaultValue)
{
    std::string s(text);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);

    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const bool hex = i < s.size() && s[i] == '$';
    if (hex) ++i;
    if (i >= s.size()) return defaultValue;

    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return defaultValue;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull) return defaultValue;
    }

    std::int64_t value;
    if (hex) {
        // Hexadecimal gives the 32-bit pattern: $FFFFFFFF is -1.
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    } else {
        value = static_cast<std::int64_t>(magnitude);
        if (value > static_cast<std::int64_t>(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
            return defaultValue;
    }
    return static_cast<int>(negative ? -value : value);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto doc = Load();
    const auto value = StoredValue(*doc, section, key);
    return value ? ParseInteger(*value, defaultValue) : defaultValue;
}

void IniFile::Store(std::string bytes)
{
    if (!WriteFileAtomic(path_, bytes)) throw WriteError(path_);
    cache_.reset();
}

namespace {

// The file's bytes with key=value set in section (all three in 1251, no line
// breaks), by the profile functions' rules; the same bytes when nothing changes.
std::string WithValue(const IniFile::Document& doc, const std::string& sec, const std::string& k, const std::string& v)
{
    std::string bytes = doc.bytes;
    if (const IniFile::Document::Line* line = doc.FindKey(sec, k)) {
        // Replace in place, keeping the key's spelling as the file has it.
        const std::string replacement = std::string(doc.Text(line->name)) + "=" + v;
        if (doc.Text(line->text) == replacement) return bytes;
        bytes.replace(line->text.begin, line->text.size(), replacement);
    } else if (const auto s = doc.FindSection(sec)) {
        // Right after the section's last line, or after its header when it
        // has none; the nameless section without lines starts the file.
        const bool hasLines = s->second > s->first;
        size_t at = 0;
        bool needsBreak = false;
        if (hasLines || !sec.empty()) {
            const auto& last = doc.lines[hasLines ? s->second - 1 : s->first - 1];
            at = last.next;
            needsBreak = last.next == last.text.end;
        }
        bytes.insert(at, std::string(needsBreak ? "\r\n" : "") + k + "=" + v + "\r\n");
    } else {
        if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
        bytes += "[" + sec + "]\r\n" + k + "=" + v + "\r\n";
    }
    return bytes;
}

}  // namespace

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const auto doc = Load();
    // A file we could not read must not be replaced by what little we know.
    if (doc->status == ReadStatus::Failed) throw WriteError(path_);
    std::string bytes = WithValue(*doc, Flatten(section), Flatten(key), Flatten(value));
    if (bytes == doc->bytes) return;  // nothing changes on disk
    Store(std::move(bytes));
}

std::string IniFile::MergeInto(std::string_view base, std::string_view incoming)
{
    const Document in = Parsed(std::string(incoming));
    Document out = Parsed(std::string(base));
    std::string section;
    for (const Document::Line& line : in.lines) {
        if (line.header) {
            section = in.Text(line.name);
        } else if (line.hasValue) {
            std::string bytes = WithValue(out, section, std::string(in.Text(line.name)), std::string(in.Text(line.value)));
            if (bytes != out.bytes) out = Parsed(std::move(bytes));
        }
    }
    return out.bytes;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key)
{
    const auto doc = Load();
    if (doc->status == ReadStatus::Failed) throw WriteError(path_);
    const Document::Line* line = doc->FindKey(Flatten(section), Flatten(key));
    if (line == nullptr) return;
    std::string bytes = doc->bytes;
    bytes.erase(line->text.begin, line->next - line->text.begin);
    Store(std::move(bytes));
}

}  // namespace store
