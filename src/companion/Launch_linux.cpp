#include "companion/Launch.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace companion {
namespace {

bool StartsWithMz(const std::string& file)
{
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char magic[2] = {};
    const ssize_t n = read(fd, magic, sizeof magic);
    close(fd);
    return n == 2 && magic[0] == 'M' && magic[1] == 'Z';
}

std::string FindOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    if (!path) return {};
    const std::string list = path;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        const std::string dir = end > start ? list.substr(start, end - start) : std::string(".");
        const std::string candidate = dir + "/" + program;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

// Runs in the grandchild, between fork and exec: async-signal-safe calls only.
[[noreturn]] void ExecChild(const char* program, char* const* argv, int errorPipe)
{
    // Ignored signals and the blocked mask would survive exec; the companion
    // must get the ordinary SIGTERM the panel stops it with.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &standard, nullptr);

    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        if (devNull != STDIN_FILENO) close(devNull);
    }
#if defined(SYS_close_range) && defined(CLOSE_RANGE_CLOEXEC)
    // The panel's own descriptors (display connection, files) are not the
    // companion's business.
    syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
#endif
    execv(program, argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = write(errorPipe, &error, sizeof error);
    _exit(127);
}

}  // namespace

bool LaunchDetached(const std::string& file, const std::string& parameters)
{
    try {
        if (file.empty()) return false;
        std::vector<std::string> args;
        std::string program;
        if (StartsWithMz(file)) {
            program = FindOnPath("wine");
            if (!program.empty()) args = {program, file};
        }
        if (args.empty()) {
            program = file;
            args = {file};
        }
        if (!parameters.empty()) args.push_back(parameters);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);

        // The grandchild reports a failed exec through this pipe; a successful
        // exec closes it.
        int errorPipe[2];
        if (pipe2(errorPipe, O_CLOEXEC) != 0) return false;

        const pid_t child = fork();
        if (child < 0) {
            close(errorPipe[0]);
            close(errorPipe[1]);
            return false;
        }
        if (child == 0) {
            // Own session, and the grandchild is adopted by init at once, so
            // no zombie stays with the panel and a terminal hangup spares it.
            setsid();
            const pid_t grandchild = fork();
            if (grandchild == 0) ExecChild(program.c_str(), argv.data(), errorPipe[1]);
            _exit(grandchild < 0 ? 1 : 0);
        }
        close(errorPipe[1]);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (started) {
            int error = 0;
            ssize_t n;
            while ((n = read(errorPipe[0], &error, sizeof error)) < 0 && errno == EINTR) {
            }
            started = n == 0;
        }
        close(errorPipe[0]);
        return started;
    } catch (...) {
        return false;
    }
}

}  // namespace companion
