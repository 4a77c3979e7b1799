#include "companion/ProcessList.h"
#include "companion/Processes.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

namespace companion::detail {
namespace {

// Under Wine argv[0] is the Windows path of the program, so cut at both kinds.
constexpr std::string_view kSeparators = "/\\";

bool ParsePid(const char* text, pid_t& pid)
{
    if (*text < '0' || *text > '9') return false;
    long value = 0;
    for (; *text; ++text) {
        if (*text < '0' || *text > '9') return false;
        value = value * 10 + (*text - '0');
        if (value > 0x3fffffff) return false;
    }
    pid = static_cast<pid_t>(value);
    return true;
}

// "PID/leaf" relative to /proc; pid texts are short, so it always fits.
int OpenInProc(int procFd, const char* pidText, std::string_view leaf)
{
    char path[64];
    const std::size_t pidLength = std::strlen(pidText);
    if (pidLength + 1 + leaf.size() >= sizeof path) return -1;
    std::memcpy(path, pidText, pidLength);
    path[pidLength] = '/';
    std::memcpy(path + pidLength + 1, leaf.data(), leaf.size());
    path[pidLength + 1 + leaf.size()] = '\0';
    return openat(procFd, path, O_RDONLY | O_CLOEXEC);
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

// argv[0] of the process; empty when the command line is empty or unreadable
// (kernel threads, zombies, processes gone meanwhile). Usually a single read.
std::string_view ReadArgv0(int procFd, const char* pidText, char* buffer, std::size_t size,
                           std::string& longArgv0)
{
    const int fd = OpenInProc(procFd, pidText, "cmdline");
    if (fd < 0) return {};
    std::string_view result;
    ssize_t n = ReadSome(fd, buffer, size);
    if (n > 0) {
        if (const void* nul = std::memchr(buffer, '\0', static_cast<std::size_t>(n))) {
            result = std::string_view(buffer, static_cast<const char*>(nul) - buffer);
        } else {
            // argv[0] longer than the buffer (or without its NUL): read on.
            longArgv0.assign(buffer, static_cast<std::size_t>(n));
            while ((n = ReadSome(fd, buffer, size)) > 0) {
                const void* end = std::memchr(buffer, '\0', static_cast<std::size_t>(n));
                const std::size_t take =
                    end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer) : static_cast<std::size_t>(n);
                longArgv0.append(buffer, take);
                if (end) break;
            }
            result = longArgv0;
        }
    }
    close(fd);
    return result;
}

// The short name from /proc/PID/stat; empty when unreadable or a zombie (a
// terminated child nobody has reaped yet is not running).
std::string_view ReadStatName(int procFd, const char* pidText, char* buffer, std::size_t size)
{
    const int fd = OpenInProc(procFd, pidText, "stat");
    if (fd < 0) return {};
    const ssize_t n = ReadSome(fd, buffer, size);
    close(fd);
    if (n <= 0) return {};
    const std::string_view stat(buffer, static_cast<std::size_t>(n));
    // "pid (name) S ...": the name may itself hold ") ", so take the last one.
    const std::size_t open = stat.find('(');
    const std::size_t close = stat.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return {};
    if (close + 2 < stat.size() && stat[close + 2] == 'Z') return {};
    return stat.substr(open + 1, close - open - 1);
}

// argv[0] is the exe field; the kernel's short name where that is unreadable.
// procFd/pidText name the process's /proc entry. False when neither is there.
bool ReadNames(int procFd, const char* pidText, char* buffer, std::size_t size, std::string& longArgv0,
               std::string_view& exeField, std::string_view& fileName)
{
    exeField = ReadArgv0(procFd, pidText, buffer, size, longArgv0);
    if (!exeField.empty()) {
        fileName = FileNamePart(exeField, kSeparators);
        return true;
    }
    exeField = ReadStatName(procFd, pidText, buffer, size);
    fileName = exeField;
    return !exeField.empty();
}

}  // namespace

void ForEachProcess(const std::function<bool(const ProcessEntry&)>& visit)
{
    DIR* dir = opendir("/proc");
    if (!dir) return;
    const int procFd = dirfd(dir);
    char buffer[4096];
    std::string longArgv0;
    while (const dirent* item = readdir(dir)) {
        pid_t pid = 0;
        if (!ParsePid(item->d_name, pid)) continue;
        std::string_view exeField;
        std::string_view fileName;
        if (!ReadNames(procFd, item->d_name, buffer, sizeof buffer, longArgv0, exeField, fileName)) continue;
        if (visit(ProcessEntry{static_cast<std::uint32_t>(pid), exeField, fileName})) break;
    }
    closedir(dir);
}

// The open /proc/PID folder stays bound to this process: once it has ended,
// nothing can be opened through it, even when the id already names another.
HeldProcess::HeldProcess(std::uint32_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid);
    const int fd = open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) handle_ = fd;
}

HeldProcess::~HeldProcess()
{
    if (!Empty()) close(static_cast<int>(handle_));
}

std::string_view HeldProcess::FileName(std::string& storage) const
{
    storage.clear();
    if (Empty()) return {};
    char buffer[4096];
    std::string longArgv0;
    std::string_view exeField;
    std::string_view fileName;
    if (ReadNames(static_cast<int>(handle_), ".", buffer, sizeof buffer, longArgv0, exeField, fileName))
        storage.assign(fileName);
    return storage;
}

std::uint32_t CurrentProcessId()
{
    return static_cast<std::uint32_t>(getpid());
}

bool TerminateProcessById(std::uint32_t pid)
{
    return kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}

}  // namespace companion::detail
