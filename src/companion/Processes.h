#pragma once
// The system's process list, as the panel sees it: is the companion running,
// and stopping it. Names are UTF-8; only ASCII letters compare without case.

#include "companion/ProcessList.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace companion {

// True when some process's file name begins with name. The first match ends
// the walk. Also counts "Quorvel.exe.bak" for "Quorvel.exe", on purpose.
bool IsProcessRunning(std::string_view name);

// Terminates every process whose file name, or else whose whole executable
// field, equals name. Nonzero when the last termination succeeded; 0 when
// nothing matched or the last attempt failed. Never terminates this process.
int KillProcessByName(std::string_view name);

// True when a process whose file name equals name runs.
bool IsExactProcessRunning(std::string_view name);

// IsProcessRunning(name) for a poll: once a match is found, later calls only
// ask whether that very process still lives under a matching name, and walk
// the whole list again only after it has ended.
class ProcessWatch {
public:
    explicit ProcessWatch(std::string name) : name_(std::move(name)) {}
    bool IsRunning();

private:
    std::string name_;
    std::string storage_;
    detail::HeldProcess held_;
};

namespace detail {

constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool EqualsAsciiNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// The text after the last of the separator characters.
constexpr std::string_view FileNamePart(std::string_view path, std::string_view separators)
{
    const std::size_t cut = path.find_last_of(separators);
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

constexpr bool PrefixMatch(std::string_view fileName, std::string_view name)
{
    return fileName.size() >= name.size() && EqualsAsciiNoCase(fileName.substr(0, name.size()), name);
}

constexpr bool ExactMatch(std::string_view exeField, std::string_view fileName, std::string_view name)
{
    return EqualsAsciiNoCase(fileName, name) || EqualsAsciiNoCase(exeField, name);
}

}  // namespace detail
}  // namespace companion
