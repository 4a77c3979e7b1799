#include "backup/IniMerge.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "store/Cp1251.h"
#include "store/IniFormat.h"

namespace backup {
namespace {

using store::Folded1251;
using store::ini::Line;
using store::ini::Slice;

// A section the incoming file writes into, as the base holds it.
struct MergeSection {
    struct Key {
        std::optional<Line> line;               // its line in the base, as reads see it
        std::string_view name;                  // spelling of a key the base lacks
        std::optional<std::string_view> value;  // the last value written
    };
    bool inBase = false;        // the section reads see; the nameless one always is
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

std::string MergeInto(std::string_view base, std::string_view incoming)
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
    store::ini::ForEachLine(incoming, [&](const Line& line) {
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

    // One pass over the base, through the sections written to only: where
    // each ends, and the line reads see of each key written.
    // The walk decides which sections reads see; of their keys only those
    // written matter, and the first line of each is the one reads see.
    store::ini::KeyWalk walk(base, [&](const std::string& folded) { return byName.count(folded) > 0; });
    MergeSection* in = &sections[0];
    store::ini::ForEachLine(base, [&](const Line& line) {
        if (line.header) {
            walk.Sees(line);
            in = walk.InSection() ? byName.at(Folded1251(Slice(base, line.name))) : nullptr;
            if (in) in->inBase = true;
        }
        if (in == nullptr) return;
        if (!line.header && !in->keys.empty()) {
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
        const MergeSection* group;     // new keys of a section, or
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

std::string ChangedKeys(std::string_view before, std::string_view after)
{
    // Section and key folded, as reads compare them.
    const auto id = [](std::string_view bytes, const Line* header, const Line& line) {
        std::string key = header ? Folded1251(Slice(bytes, header->name)) : std::string();
        key += '\0';
        key += Folded1251(Slice(bytes, line.name));
        return key;
    };
    std::unordered_map<std::string, std::string_view> old;  // key -> its value as written
    store::ini::KeyWalk was(before);
    store::ini::ForEachLine(before, [&](const Line& line) {
        if (was.Sees(line) && line.hasValue) old.emplace(id(before, was.Header(), line), Slice(before, line.value));
    });
    std::string out;
    size_t written = SIZE_MAX;  // where the header last written out stands in `after`
    store::ini::KeyWalk now(after);
    store::ini::ForEachLine(after, [&](const Line& line) {
        if (!now.Sees(line) || !line.hasValue) return;
        const Line* header = now.Header();
        const auto it = old.find(id(after, header, line));
        if (it != old.end() && it->second == Slice(after, line.value)) return;
        if (header && written != header->text.begin) {
            out.append("[").append(Slice(after, header->name)).append("]\r\n");
            written = header->text.begin;
        }
        AppendKeyLine(out, Slice(after, line.name), Slice(after, line.value));
    });
    return out;
}

}  // namespace backup
