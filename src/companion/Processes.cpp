#include "companion/Processes.h"

#include "companion/ProcessList.h"

namespace companion {

using detail::ProcessEntry;

bool IsProcessRunning(std::string_view name)
{
    bool found = false;
    detail::ForEachProcess([&](const ProcessEntry& e) { return found = detail::PrefixMatch(e.fileName, name); });
    return found;
}

bool IsExactProcessRunning(std::string_view name)
{
    bool found = false;
    detail::ForEachProcess([&](const ProcessEntry& e) { return found = detail::EqualsAsciiNoCase(e.fileName, name); });
    return found;
}

int KillProcessByName(std::string_view name)
{
    const std::uint32_t self = detail::CurrentProcessId();
    int result = 0;
    detail::ForEachProcess([&](const ProcessEntry& e) {
        if (e.pid != self && detail::ExactMatch(e.exeField, e.fileName, name))
            result = detail::TerminateProcessById(e.pid) ? 1 : 0;
        return false;  // every match, not only the first
    });
    return result;
}

}  // namespace companion
