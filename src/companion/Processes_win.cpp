#include "companion/ProcessList.h"
#include "companion/Processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include <iterator>
#include <string>

namespace companion::detail {
namespace {

// What Windows itself puts in front of a file name in the executable field.
constexpr std::string_view kSeparators = "\\:";

using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkFn = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32W);

struct ToolHelp {
    SnapshotFn snapshot = nullptr;
    WalkFn first = nullptr;
    WalkFn next = nullptr;
    bool Usable() const { return snapshot && first && next; }
};

template <class Fn>
Fn Lookup(HMODULE module, const char* name)
{
    // Through void(*)() so the compiler accepts the change of signature.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Looked up at first use; a system without them reports no processes.
const ToolHelp& Functions()
{
    static const ToolHelp functions = [] {
        ToolHelp t;
        if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
            t.snapshot = Lookup<SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
            t.first = Lookup<WalkFn>(kernel, "Process32FirstW");
            t.next = Lookup<WalkFn>(kernel, "Process32NextW");
        }
        return t;
    }();
    return functions;
}

}  // namespace

// Calls visit(entry) for each process until it returns true. Processes only:
// a full snapshot would copy every heap and module list five times a second.
void ForEachProcess(const std::function<bool(const ProcessEntry&)>& visit)
{
    const ToolHelp& th = Functions();
    if (!th.Usable()) return;
    const HANDLE snapshot = th.snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == nullptr || snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    // 260 UTF-16 units take at most 780 bytes of UTF-8.
    char utf8[1024];
    for (BOOL more = th.first(snapshot, &entry); more; more = th.next(snapshot, &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, entry.szExeFile, -1, utf8, sizeof utf8, nullptr, nullptr);
        if (length <= 0) continue;
        const std::string_view exeField(utf8, static_cast<std::size_t>(length - 1));
        if (visit(ProcessEntry{entry.th32ProcessID, exeField, FileNamePart(exeField, kSeparators)})) break;
    }
    CloseHandle(snapshot);
}

// The handle keeps the process object, and with it its id, from being reused.
HeldProcess::HeldProcess(std::uint32_t pid)
{
    if (const HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid))
        handle_ = reinterpret_cast<std::intptr_t>(h);
}

HeldProcess::~HeldProcess()
{
    if (!Empty()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::string_view HeldProcess::FileName(std::string& storage) const
{
    storage.clear();
    if (Empty()) return {};
    const HANDLE h = reinterpret_cast<HANDLE>(handle_);
    if (WaitForSingleObject(h, 0) != WAIT_TIMEOUT) return {};
    wchar_t path[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(std::size(path));
    if (!QueryFullProcessImageNameW(h, 0, path, &length) || length == 0) return {};
    char utf8[MAX_PATH * 12];
    const int n = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), utf8, sizeof utf8, nullptr, nullptr);
    if (n <= 0) return {};
    storage.assign(FileNamePart(std::string_view(utf8, static_cast<std::size_t>(n)), kSeparators));
    return storage;
}

std::uint32_t CurrentProcessId()
{
    return GetCurrentProcessId();
}

bool TerminateProcessById(std::uint32_t pid)
{
    const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (process == nullptr) return false;
    const bool stopped = TerminateProcess(process, 0) != 0;
    CloseHandle(process);
    return stopped;
}

}  // namespace companion::detail
