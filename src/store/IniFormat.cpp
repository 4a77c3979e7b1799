#include "store/IniFormat.h"

#include "store/Cp1251.h"

namespace store::ini {

std::optional<std::string_view> ValueOf(std::string_view bytes, const Line& line)
{
    if (!line.hasValue) return std::nullopt;
    std::string_view value = Slice(bytes, line.value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > kMaxValueLength) value = value.substr(0, kMaxValueLength);
    return value;
}

KeyWalk::KeyWalk(std::string_view bytes, std::optional<std::string_view> section, std::optional<std::string_view> key)
    : bytes_(bytes), section_(section), key_(key), visible_(!section || section->empty())
{
    if (visible_) targetSeen_ = true;  // the nameless section comes first
}

KeyWalk::KeyWalk(std::string_view bytes, Wanted wanted) : bytes_(bytes), wanted_(std::move(wanted)), visible_(true)
{
}

size_t KeyWalk::FoldedHash::operator()(std::string_view s) const
{
    size_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ FoldCp1251(static_cast<unsigned char>(c))) * 1099511628211ull;
    return h;
}

bool KeyWalk::FoldedEqual::operator()(std::string_view a, std::string_view b) const
{
    return EqualsIgnoringCase1251(a, b);
}

bool KeyWalk::Enter(const Line& header)
{
    const std::string_view name = Slice(bytes_, header.name);
    header_ = header;
    hasHeader_ = true;
    if (!keysSeen_.empty()) keysSeen_.clear();
    if (!section_) {
        visible_ = !name.empty() && (!wanted_ || wanted_(Folded1251(name))) && sectionsSeen_.insert(name).second;
    } else if (!targetSeen_ && !name.empty() && EqualsIgnoringCase1251(name, *section_)) {
        visible_ = targetSeen_ = true;
    } else {
        if (targetSeen_) done_ = true;
        visible_ = false;
    }
    return false;
}

bool KeyWalk::SeesKey(std::string_view name)
{
    if (key_) {
        if (!EqualsIgnoringCase1251(name, *key_)) return false;
        done_ = true;  // the first line of the key is the one a read sees
        return true;
    }
    return keysSeen_.insert(name).second;
}

}  // namespace store::ini
