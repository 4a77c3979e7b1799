#include "hotkeys/KeyboardMap.h"

#include <algorithm>

#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/RolePlayEntries.h"
#include "store/Cp1251.h"

namespace hotkeys {
namespace {

bool Contains(const Tokens& tokens, const std::string& token)
{
    return std::find(tokens.begin(), tokens.end(), token) != tokens.end();
}

bool RankedBefore(const std::string& a, const std::string& b)
{
    const int ra = KeyRank(a);
    const int rb = KeyRank(b);
    return ra != rb ? ra < rb : a < b;
}

int FirstRolePlayEntry(std::string_view key)
{
    const auto entries = RolePlayEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind == RolePlayKind::Hotkey && store::EqualsIgnoringCase1251(entries[i].hotkeyKey, key))
            return static_cast<int>(i);
    return -1;
}

KeyHolder HolderOf(const ConflictMap& conflicts, const HotkeyHolder& holder, const Tokens& combination)
{
    KeyHolder h;
    h.name = holder.name;
    h.tokens = combination;
    h.combination = CombinationCaption(combination);
    h.clash = !conflicts.Using(combination, &holder).empty();
    h.source = holder.source;
    h.key = holder.key;
    if (holder.source == HotkeySource::Commands) {
        h.editor = HolderEditor::Command;
    } else if (holder.source == HotkeySource::Binder) {
        h.editor = HolderEditor::ChatKey;
    } else {
        h.action = FindBinderKey(holder.key);
        h.rolePlayEntry = FirstRolePlayEntry(holder.key);
        h.editor = h.action ? HolderEditor::Action : HolderEditor::RolePlay;
    }
    return h;
}

MapKey NewKey(std::string token)
{
    MapKey key;
    key.caption = KeyCaption(token);
    key.group = GroupOf(token);
    key.token = std::move(token);
    return key;
}

}  // namespace

KeyFilter::KeyFilter(Tokens keys) : keys_(std::move(keys))
{
    std::sort(keys_.begin(), keys_.end(), RankedBefore);
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
}

std::string KeyFilter::Caption() const
{
    return CombinationCaption(keys_);
}

bool KeyFilter::Passes(const Tokens& combination) const
{
    if (keys_.empty()) return true;
    if (combination.empty()) return false;
    const Tokens held(combination.begin(), combination.end() - 1);
    return std::all_of(held.begin(), held.end(), [&](const std::string& t) { return Contains(keys_, t); }) &&
           std::all_of(keys_.begin(), keys_.end(), [&](const std::string& t) { return Contains(held, t); });
}

std::vector<KeyFilter> OfferedFilters(const ConflictMap& conflicts)
{
    std::vector<KeyFilter> out = {KeyFilter({"VK12"}), KeyFilter({"VK11"}), KeyFilter({"VK10"}), KeyFilter({"VK02"})};
    const size_t fixed = out.size();
    for (const HotkeyHolder& h : conflicts.Holders())
        for (const Tokens& c : h.combinations) {
            if (c.size() < 2) continue;
            KeyFilter f(Tokens(c.begin(), c.end() - 1));
            if (std::find(out.begin(), out.end(), f) == out.end()) out.push_back(std::move(f));
        }
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(fixed), out.end(), [](const KeyFilter& a, const KeyFilter& b) {
        if (a.Keys().size() != b.Keys().size()) return a.Keys().size() < b.Keys().size();
        return std::lexicographical_compare(a.Keys().begin(), a.Keys().end(), b.Keys().begin(), b.Keys().end(),
                                            RankedBefore);
    });
    return out;
}

KeyboardMap::KeyboardMap(const ConflictMap& conflicts, KeyFilter filter) : filter_(std::move(filter))
{
    for (const KeyInfo& k : KeyVocabulary()) keys_.push_back(NewKey(std::string(k.token)));
    for (const HotkeyHolder& holder : conflicts.Holders())
        for (const Tokens& c : holder.combinations)
            if (filter_.Passes(c)) Slot(c.back()).holders.push_back(HolderOf(conflicts, holder, c));

    Tokens combination = filter_.Keys();
    combination.emplace_back();
    for (MapKey& key : keys_) {
        const bool clash = std::any_of(key.holders.begin(), key.holders.end(), [](const KeyHolder& h) { return h.clash; });
        key.use = clash ? KeyUse::Clash : key.holders.empty() ? KeyUse::Free : KeyUse::Used;
        combination.back() = key.token;
        key.system = ReservedCombination(combination).value_or("");
    }
}

const MapKey* KeyboardMap::Find(std::string_view token) const
{
    // The vocabulary's keys come first, in its order.
    const auto vocabulary = KeyVocabulary();
    if (const KeyInfo* key = FindKey(token)) return &keys_[static_cast<size_t>(key - vocabulary.data())];
    const auto extra = std::find_if(keys_.begin() + static_cast<std::ptrdiff_t>(vocabulary.size()), keys_.end(),
                                    [&](const MapKey& k) { return k.token == token; });
    return extra == keys_.end() ? nullptr : &*extra;
}

MapKey& KeyboardMap::Slot(const std::string& token)
{
    if (const MapKey* key = Find(token)) return keys_[static_cast<size_t>(key - keys_.data())];
    keys_.push_back(NewKey(token));
    return keys_.back();
}

}  // namespace hotkeys
