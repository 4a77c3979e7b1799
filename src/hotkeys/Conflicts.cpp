#include "hotkeys/Conflicts.h"

#include <algorithm>
#include <set>

#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/RolePlayEntries.h"
#include "store/Cp1251.h"

namespace hotkeys {
namespace {

constexpr std::string_view kRolePlayPrefix = "Настройка отыгровки ";

// What the system takes for itself; a combination holding all keys of one of
// these (in any order, with more keys or not) never reaches the companion.
const Tokens kReserved[] = {
    {"VK12", "VK09"},  // Alt+Tab
    {"VK12", "VK1B"},  // Alt+Esc
    {"VK12", "VK73"},  // Alt+F4
    {"VK12", "VK20"},  // Alt+Space
    {"VK11", "VK1B"},  // Ctrl+Esc
    {"VK5B"},          // LWin
    {"VK5C"},          // RWin
};

std::string CombinationKey(const Tokens& tokens)
{
    std::string key;
    for (const std::string& t : tokens) key += t + '\n';
    return key;
}

std::string RolePlayName(std::string_view caption)
{
    if (caption.starts_with(kRolePlayPrefix)) caption.remove_prefix(kRolePlayPrefix.size());
    return "отыгровка «" + std::string(caption) + "»";
}

void AddCombination(HotkeyHolder& holder, std::string_view hotkey)
{
    Tokens tokens = SplitHotkey(hotkey);
    if (!tokens.empty() && std::find(holder.combinations.begin(), holder.combinations.end(), tokens) ==
                               holder.combinations.end())
        holder.combinations.push_back(std::move(tokens));
}

}  // namespace

ConflictMap::ConflictMap(const SectionValues& settingsHotkeys, const SectionValues& commandKeys,
                         std::string_view chatKey)
{
    // Settings holders first, one per [hotkeys] key, with every caption and
    // default of that key; the stored values are applied after.
    struct Pending {
        std::string folded;
        HotkeyHolder holder;
        std::vector<std::string_view> defaults;
    };
    std::vector<Pending> pending;
    const auto settingsHolder = [&](std::string_view key) -> Pending& {
        std::string folded = store::FoldedUtf8(key);
        for (Pending& p : pending)
            if (p.folded == folded) return p;
        pending.push_back({std::move(folded), {HotkeySource::Settings, std::string(key), {}, {}}, {}});
        return pending.back();
    };
    const auto addName = [](HotkeyHolder& h, const std::string& name) {
        if (h.name.find(name) != std::string::npos) return;
        if (!h.name.empty()) h.name += " / ";
        h.name += name;
    };
    for (const BinderKey& k : BinderKeys()) {
        Pending& p = settingsHolder(k.iniKey);
        addName(p.holder, std::string(k.caption));
        p.defaults.push_back(k.defaultHotkey);
    }
    for (const RolePlayEntry& e : RolePlayEntries()) {
        if (e.kind != RolePlayKind::Hotkey) continue;
        Pending& p = settingsHolder(e.hotkeyKey);
        addName(p.holder, RolePlayName(e.caption));
        p.defaults.push_back(e.defaultHotkey);
    }
    std::map<std::string, std::string_view> stored;  // the first of duplicates wins, as reads do
    for (const auto& [key, value] : settingsHotkeys) stored.emplace(store::FoldedUtf8(key), value);
    for (Pending& p : pending) {
        if (const auto it = stored.find(p.folded); it != stored.end()) {
            AddCombination(p.holder, it->second);
        } else {
            for (std::string_view d : p.defaults) AddCombination(p.holder, d);
        }
        holders_.push_back(std::move(p.holder));
    }

    std::set<std::string> commands;
    for (const auto& [name, value] : commandKeys) {
        if (!commands.insert(store::FoldedUtf8(name)).second) continue;
        HotkeyHolder h {HotkeySource::Commands, name, "команда «" + name + "»", {}};
        AddCombination(h, value);
        holders_.push_back(std::move(h));
    }

    // A hotkey that is the chat key alone would open the chat as it fires.
    if (!chatKey.empty())
        holders_.push_back({HotkeySource::Binder, std::string(kChatKeyHolder), "клавиша чата", {{std::string(chatKey)}}});

    for (size_t i = 0; i < holders_.size(); ++i)
        for (const Tokens& c : holders_[i].combinations) byCombination_[CombinationKey(c)].push_back(i);
}

const HotkeyHolder* ConflictMap::Find(HotkeySource source, std::string_view key) const
{
    const std::string folded = store::FoldedUtf8(key);
    for (const HotkeyHolder& h : holders_)
        if (h.source == source && store::FoldedUtf8(h.key) == folded) return &h;
    return nullptr;
}

std::vector<const HotkeyHolder*> ConflictMap::Using(const Tokens& tokens, const HotkeyHolder* self) const
{
    std::vector<const HotkeyHolder*> out;
    const auto it = byCombination_.find(CombinationKey(tokens));
    if (it == byCombination_.end()) return out;
    for (size_t i : it->second)
        if (&holders_[i] != self) out.push_back(&holders_[i]);
    return out;
}

std::vector<const HotkeyHolder*> ConflictMap::SharingWith(const HotkeyHolder& self) const
{
    std::vector<const HotkeyHolder*> out;
    for (const Tokens& c : self.combinations)
        for (const HotkeyHolder* h : Using(c, &self))
            if (std::find(out.begin(), out.end(), h) == out.end()) out.push_back(h);
    return out;
}

std::map<std::string, std::vector<const HotkeyHolder*>> ConflictMap::KeysUsedBy(const HotkeyHolder* self) const
{
    std::map<std::string, std::vector<const HotkeyHolder*>> out;
    for (const HotkeyHolder& h : holders_) {
        if (&h == self) continue;
        for (const Tokens& c : h.combinations)
            for (const std::string& t : c) {
                auto& list = out[t];
                if (list.empty() || list.back() != &h) list.push_back(&h);
            }
    }
    return out;
}

std::optional<std::string> ReservedCombination(const Tokens& tokens)
{
    for (const Tokens& r : kReserved) {
        const bool all = std::all_of(r.begin(), r.end(), [&](const std::string& t) {
            return std::find(tokens.begin(), tokens.end(), t) != tokens.end();
        });
        if (all) return CombinationCaption(r);
    }
    return std::nullopt;
}

std::string HolderNames(const std::vector<const HotkeyHolder*>& holders)
{
    std::string out;
    for (const HotkeyHolder* h : holders) out += (out.empty() ? "" : ", ") + h->name;
    return out;
}

}  // namespace hotkeys
