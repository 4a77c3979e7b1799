#include "store/IniFile.h"

#include "store/FolderLock.h"
#include "store/IniFormat.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "store/Cp1251.h"

namespace store {

namespace {

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
    using Line = ini::Line;

    ReadStatus status = ReadStatus::Missing;
    FileStamp stamp;
    std::string bytes;
    std::vector<Line> lines;

    void Parse()
    {
        lines.reserve(bytes.size() / 16);
        ini::ForEachLine(bytes, [this](const Line& line) { lines.push_back(line); });
    }

    std::string_view Text(ini::Range r) const { return ini::Slice(bytes, r); }

    // Index of the first line of the section reads see by that name, and one
    // past its last line. Lines before the first header form the nameless section "".
    std::optional<std::pair<size_t, size_t>> FindSection(std::string_view section) const
    {
        ini::KeyWalk walk(bytes, section);
        std::optional<std::pair<size_t, size_t>> found;
        if (walk.InSection()) found.emplace(0, 0);
        for (size_t i = 0; i < lines.size() && !walk.Done(); ++i) {
            walk.Sees(lines[i]);
            if (!walk.InSection()) continue;
            if (!found) found.emplace(i + 1, i + 1);  // its header
            else found->second = i + 1;
        }
        return found;
    }

    // The line of the key reads see, with or without a value.
    const Line* FindKey(std::string_view section, std::string_view key) const
    {
        ini::KeyWalk walk(bytes, section, key);
        for (const Line& line : lines) {
            if (walk.Sees(line)) return &line;
            if (walk.Done()) break;
        }
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

std::optional<std::string_view> LineValue(const IniFile::Document& doc, const IniFile::Document::Line* line)
{
    return line ? ini::ValueOf(doc.bytes, *line) : std::nullopt;
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
    const std::string name = Utf8ToCp1251(section);
    ini::KeyWalk walk(doc.bytes, name);
    for (const IniFile::Document::Line& line : doc.lines) {
        if (walk.Done()) break;
        if (!walk.Sees(line)) continue;
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

namespace {

// The folder of a path the store built: up to its last separator.
std::string FolderOf(const std::string& path)
{
    const size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

}  // namespace

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const FolderLock lock(FolderOf(path_));
    const auto doc = Load();
    // A file we could not read must not be replaced by what little we know.
    if (doc->status == ReadStatus::Failed) throw WriteError(path_);
    std::string bytes = WithValue(*doc, Flatten(section), Flatten(key), Flatten(value));
    if (bytes == doc->bytes) return;  // nothing changes on disk
    Store(std::move(bytes));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key)
{
    const FolderLock lock(FolderOf(path_));
    const auto doc = Load();
    if (doc->status == ReadStatus::Failed) throw WriteError(path_);
    const Document::Line* line = doc->FindKey(Flatten(section), Flatten(key));
    if (line == nullptr) return;
    std::string bytes = doc->bytes;
    bytes.erase(line->text.begin, line->next - line->text.begin);
    Store(std::move(bytes));
}

}  // namespace store
