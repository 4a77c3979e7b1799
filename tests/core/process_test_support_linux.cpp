#include "process_test_support.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace proctest {

std::string UniqueStem()
{
    return "QvT" + std::to_string(getpid()) + "x";
}

void CopyRunner(const std::string& path)
{
    std::filesystem::copy_file("/bin/sleep", std::filesystem::path(path),
                               std::filesystem::copy_options::overwrite_existing);
}

std::string RunnerParameter()
{
    return "300";
}

bool ListShowsArgv0()
{
    return true;
}

bool HasUnreapedChild()
{
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

struct Child::State {
    pid_t pid = -1;
    bool reaped = false;
};

Child::Child(const std::string& path, const char* argv0) : state_(new State)
{
    std::string first = argv0 ? argv0 : path;
    std::string parameter = RunnerParameter();
    std::vector<char*> argv{first.data(), parameter.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return;
    state_->pid = pid;
    // posix_spawn returns while exec is still setting up the new program: for
    // a moment its command line reads empty and the list shows the kernel's
    // short name. Wait for the command line the test gave it.
    if (!first.empty()) {
        const std::string cmdline = "/proc/" + std::to_string(pid) + "/cmdline";
        WaitUntil([&] {
            std::ifstream in(cmdline);
            return in.get() != std::ifstream::traits_type::eof();
        }, 2000ms);
    }
}

Child::~Child()
{
    if (state_->pid > 0 && !state_->reaped) {
        kill(state_->pid, SIGKILL);
        while (waitpid(state_->pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    delete state_;
}

bool Child::Started() const
{
    return state_->pid > 0;
}

bool Child::WaitForExit(std::chrono::milliseconds timeout)
{
    if (state_->pid <= 0) return false;
    return state_->reaped || WaitUntil([&] {
               return state_->reaped = waitpid(state_->pid, nullptr, WNOHANG) == state_->pid;
           }, timeout);
}

void Child::TerminateUnreaped()
{
    if (state_->pid > 0) kill(state_->pid, SIGKILL);
}

bool Child::WaitEndedUnreaped(std::chrono::milliseconds timeout)
{
    return WaitUntil([&] {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(state_->pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == state_->pid;
    }, timeout);
}

}  // namespace proctest
