#pragma once
// The platform half of the process functions: walking the system's process
// list and stopping one process. One source per platform.

#include <cstdint>
#include <utility>
#include <functional>
#include <string>
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

// One process held by the system's own reference to it (a process handle on
// Windows, its /proc entry elsewhere), so that its id, once reused by another
// process, never reads as this one.
class HeldProcess {
public:
    HeldProcess() = default;
    // Empty when the process is gone or cannot be opened.
    explicit HeldProcess(std::uint32_t pid);
    ~HeldProcess();
    HeldProcess(HeldProcess&& other) noexcept { std::swap(handle_, other.handle_); }
    HeldProcess& operator=(HeldProcess&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }

    bool Empty() const { return handle_ == kNone; }
    // Its file name as the process list would show it now; empty once it has
    // ended. `storage` backs the answer.
    std::string_view FileName(std::string& storage) const;

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
};

}  // namespace companion::detail
