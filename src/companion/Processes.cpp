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

bool ProcessWatch::IsRunning()
{
    if (!held_.Empty()) {
        if (detail::PrefixMatch(held_.FileName(storage_), name_)) return true;
        held_ = {};
    }
    std::uint32_t pid = 0;
    bool found = false;
    detail::ForEachProcess([&](const ProcessEntry& e) {
        if (!detail::PrefixMatch(e.fileName, name_)) return false;
        pid = e.pid;
        return found = true;
    });
    if (!found) return false;
    held_ = detail::HeldProcess(pid);
    // It may have ended, and its id gone to another, between the walk and the
    // open: hold it only if the held one still matches. The walk's answer stands.
    if (!held_.Empty() && !detail::PrefixMatch(held_.FileName(storage_), name_)) held_ = {};
    return true;
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
