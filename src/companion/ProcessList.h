#pragma once
// The platform half of the process functions: walking the system's process
// list and stopping one process. One source per platform.

#include <cstdint>
#include <functional>
#include <string_view>

namespace companion::detail {

struct ProcessEntry {
    std::uint32_t pid;
    std::string_view exeField;  // as the system lists it
    std::string_view fileName;  // its file-name part
};

// Calls visit for each process until it returns true. Unreadable entries are
// skipped; a list that cannot be taken visits nothing.
void ForEachProcess(const std::function<bool(const ProcessEntry&)>& visit);

std::uint32_t CurrentProcessId();

// Stops the process (exit code 0 on Windows, SIGTERM elsewhere); true when
// the system took the request.
bool TerminateProcessById(std::uint32_t pid);

}  // namespace companion::detail
