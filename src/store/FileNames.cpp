#include "store/FileNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "store/Cp1251.h"

namespace store {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// CON, PRN, AUX, NUL, COM0-9, LPT0-9: Windows opens the device, not a file,
// whatever extension follows.
bool IsDeviceName(std::string_view name)
{
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && IsBlank(stem.back())) stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), stem) != kPlain.end()) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           std::isdigit(static_cast<unsigned char>(stem[3]));
}

}  // namespace

bool IsPlainFileName(std::string_view utf8)
{
    if (utf8.empty()) return false;
    // Windows drops blanks and dots at the end; at the start they make "." and
    // ".." or hidden files.
    for (const char c : {utf8.front(), utf8.back()})
        if (IsBlank(c) || c == '.') return false;
    constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    if (utf8.starts_with(kNoBreakSpace) || utf8.ends_with(kNoBreakSpace)) return false;
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    if (IsDeviceName(utf8)) return false;
    // The companion reads names in 1251: a name it cannot spell is no name.
    return Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8;
}

}  // namespace store
