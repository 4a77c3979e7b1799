#include "store/IniFile.h"

#include "store/FolderLock.h"

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

struct IniLine {
    Range text;   // the line without its break
    size_t next;  // where the following line starts: past this line's own break
    bool header;
    Range name;   // section name, or key name
    bool hasValue;
    Range value;
};

// Calls visit(line) for each line that is not blank, in file order, by the
// profile functions' rules. Nothing is kept, so a huge file costs no memory.
template <class Visit>
void ForEachLine(std::string_view b, Visit&& visit)
{
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

        IniLine line {};
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
            visit(line);
        }
        pos = end;
    }
}

std::string_view Slice(std::string_view bytes, Range r)
{
    return bytes.substr(r.begin, r.size());
}

}  // namespace

struct IniFile::Document {
    using Line = IniLine;

    ReadStatus status = ReadStatus::Missing;
    FileStamp stamp;
    std::string bytes;
    std::vector<Line> lines;

    void Parse()
    {
        lines.reserve(bytes.size() / 16);
        ForEachLine(bytes, [this](const Line& line) { lines.push_back(line); });
    }

    std::string_view Text(Range r) const { return Slice(bytes, r); }

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

namespace {

// A section the incoming file writes into, as the base holds it.
struct MergeSection {
    struct Key {
        std::optional<IniLine> line;            // its first line in the base's section
        std::string_view name;                  // spelling of a key the base lacks
        std::optional<std::string_view> value;  // the last value written
    };
    bool inBase = false;        // the first section of the name; the nameless one always is
    size_t insertAt = 0;        // past its last line: where its new keys go
    bool needsBreak = false;    // that last line ends the file without a break
    std::string_view spelling;  // of a section the base lacks: as first written
    std::unordered_map<std::string, Key> keys;  // folded name -> key; nodes never move
    std::vector<const Key*> added;              // keys the base lacks, in order of writing
};

void AppendKeyLine(std::string& out, std::string_view name, std::string_view value)
{
    out.append(name).append("=").append(value).append("\r\n");
}

}  // namespace

std::string IniFile::MergeInto(std::string_view base, std::string_view incoming)
{
    // The incoming writes in order, each with the section and key it goes to.
    struct Write {
        MergeSection* section;
        MergeSection::Key* key;
        std::string_view sectionName, name, value;
    };
    std::deque<MergeSection> sections(1);  // [0]: lines before the first header
    sections[0].inBase = true;
    std::unordered_map<std::string, MergeSection*> byName{{"", &sections[0]}};
    std::vector<Write> writes;
    MergeSection* current = &sections[0];
    std::string_view currentName;
    ForEachLine(incoming, [&](const IniLine& line) {
        const std::string_view name = Slice(incoming, line.name);
        if (line.header) {
            auto [it, fresh] = byName.try_emplace(Folded1251(name), nullptr);
            if (fresh) it->second = &sections.emplace_back();
            current = it->second;
            currentName = name;
        } else if (line.hasValue) {
            writes.push_back({current, &current->keys[Folded1251(name)], currentName, name, Slice(incoming, line.value)});
        }
    });

    // One pass over the base: the first section of each name written to, its
    // last line, and the first line of each key written.
    MergeSection* in = &sections[0];
    ForEachLine(base, [&](const IniLine& line) {
        if (line.header) {
            in = nullptr;
            const std::string_view name = Slice(base, line.name);
            if (name.empty()) return;  // "[]" is no name: "" is only the lines before the first header
            const auto it = byName.find(Folded1251(name));
            if (it == byName.end() || it->second->inBase) return;
            in = it->second;
            in->inBase = true;
        } else if (in == nullptr) {
            return;
        } else if (!in->keys.empty()) {
            const auto it = in->keys.find(Folded1251(Slice(base, line.name)));
            if (it != in->keys.end() && !it->second.line) it->second.line = line;
        }
        in->insertAt = line.next;
        in->needsBreak = line.next == line.text.end;
    });

    std::vector<const MergeSection*> appended;  // sections the base lacks, in order of their first key
    for (const Write& w : writes) {
        MergeSection::Key& key = *w.key;
        if (!key.line && !key.value) {
            if (!w.section->inBase && w.section->added.empty()) {
                w.section->spelling = w.sectionName;
                appended.push_back(w.section);
            }
            key.name = w.name;
            w.section->added.push_back(&key);
        }
        key.value = w.value;
    }

    // A found key is rewritten in place with the base's spelling; new keys
    // follow their section's last line; new sections go at the end.
    struct Edit {
        size_t at, end;
        const MergeSection* group;    // new keys of a section, or
        const MergeSection::Key* key;  // a replaced line
    };
    std::vector<Edit> edits;
    for (const MergeSection& section : sections) {
        if (section.inBase && !section.added.empty()) edits.push_back({section.insertAt, section.insertAt, &section, nullptr});
        for (const auto& [folded, key] : section.keys)
            if (key.line && key.value) edits.push_back({key.line->text.begin, key.line->text.end, nullptr, &key});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });

    std::string out;
    out.reserve(base.size() + incoming.size() + 2 * sections.size() + 16);
    size_t pos = 0;
    const auto addKeys = [&out](const MergeSection& section) {
        for (const MergeSection::Key* key : section.added) AppendKeyLine(out, key->name, *key->value);
    };
    for (const Edit& e : edits) {
        out.append(base.substr(pos, e.at - pos));
        if (e.group) {
            if (e.group->needsBreak) out += "\r\n";
            addKeys(*e.group);
        } else {
            out.append(Slice(base, e.key->line->name)).append("=").append(*e.key->value);
        }
        pos = e.end;
    }
    out.append(base.substr(pos));
    for (const MergeSection* section : appended) {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
        out.append("[").append(section->spelling).append("]\r\n");
        addKeys(*section);
    }
    return out;
}

namespace {

// Calls visit(sectionHeader, line) for each key line that reads see with a
// value: in the first section of each name, the first line of each key (a
// first line without "=" hides the key). The nameless section's header is
// nullptr. Names are kept as hashes, so a huge file costs little memory.
template <class Visit>
void ForEachVisibleKey(std::string_view b, Visit&& visit)
{
    const auto hash = [](std::string_view name) { return std::hash<std::string>{}(Folded1251(name)); };
    std::unordered_set<size_t> sectionsSeen, keysSeen;
    std::optional<IniLine> header;
    bool visible = true;
    ForEachLine(b, [&](const IniLine& line) {
        if (line.header) {
            const std::string_view name = Slice(b, line.name);
            visible = !name.empty() && sectionsSeen.insert(hash(name)).second;
            header = line;
            keysSeen.clear();
        } else if (visible && keysSeen.insert(hash(Slice(b, line.name))).second && line.hasValue) {
            visit(header ? &*header : nullptr, line);
        }
    });
}

}  // namespace

std::string IniFile::ChangedKeys(std::string_view before, std::string_view after)
{
    const auto id = [](std::string_view bytes, const IniLine* header, const IniLine& line) {
        std::string key = header ? Folded1251(Slice(bytes, header->name)) : std::string();
        key += '\0';
        key += Folded1251(Slice(bytes, line.name));
        return std::hash<std::string>{}(key);
    };
    const auto valueHash = [](std::string_view bytes, const IniLine& line) {
        return std::hash<std::string_view>{}(Slice(bytes, line.value));
    };
    std::unordered_map<size_t, size_t> old;  // key -> value, as hashes
    ForEachVisibleKey(before, [&](const IniLine* header, const IniLine& line) {
        old.emplace(id(before, header, line), valueHash(before, line));
    });
    std::string out;
    size_t written = SIZE_MAX;  // where the header last written out stands in `after`
    ForEachVisibleKey(after, [&](const IniLine* header, const IniLine& line) {
        const auto it = old.find(id(after, header, line));
        if (it != old.end() && it->second == valueHash(after, line)) return;
        if (header && written != header->text.begin) {
            out.append("[").append(Slice(after, header->name)).append("]\r\n");
            written = header->text.begin;
        }
        AppendKeyLine(out, Slice(after, line.name), Slice(after, line.value));
    });
    return out;
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
