// The watch against a process id that comes to name another program: by exec
// in place, or by reuse after the process ended.

#include "companion/Processes.h"

#include "TestSupport.h"
#include "process_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

pid_t Spawn(const std::string& program, std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

void Stop(pid_t pid)
{
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

std::string Argv0(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline");
    std::string first;
    std::getline(in, first, '\0');
    return first;
}

TEST(ProcessWatch, ExecIntoAnotherProgramEndsTheMatch)
{
    testsupport::TempDir dir;
    const std::string name = proctest::UniqueStem() + "x.exe";
    const std::string flag = dir.File("go");
    const pid_t pid = Spawn("/bin/sh", {name, "-c", "while [ ! -e \"$1\" ]; do sleep 0.02; done; exec sleep 300",
                                        "sh", flag});
    ASSERT_GT(pid, 0);
    companion::ProcessWatch watch(name);
    EXPECT_TRUE(proctest::WaitUntil([&] { return watch.IsRunning(); }));
    testsupport::WriteBytes(flag, "");
    EXPECT_TRUE(proctest::WaitUntil([&] { return Argv0(pid) == "sleep"; }));
    EXPECT_FALSE(watch.IsRunning()) << "the id still runs, but no longer the program";
    Stop(pid);
}

// Steering the next id takes ns_last_pid, writable only with privileges.
TEST(ProcessWatch, AReusedIdNeverCounts)
{
    if (access("/proc/sys/kernel/ns_last_pid", W_OK) != 0) GTEST_SKIP() << "cannot choose the next process id";
    const std::string name = proctest::UniqueStem() + "r.exe";
    const pid_t first = Spawn("/bin/sleep", {name, "300"});
    ASSERT_GT(first, 0);
    companion::ProcessWatch watch(name);
    ASSERT_TRUE(proctest::WaitUntil([&] { return watch.IsRunning(); }));
    companion::detail::HeldProcess held(static_cast<std::uint32_t>(first));
    Stop(first);

    pid_t second = -1;
    for (int attempt = 0; attempt < 20 && second != first; ++attempt) {
        Stop(second);
        std::ofstream("/proc/sys/kernel/ns_last_pid") << first - 1;
        second = Spawn("/bin/sleep", {"sleep", "300"});
    }
    if (second != first) {
        Stop(second);
        GTEST_SKIP() << "another process took the id first";
    }
    std::string storage;
    EXPECT_EQ(held.FileName(storage), "") << "the held entry reads the new process";
    EXPECT_FALSE(watch.IsRunning());
    Stop(second);
}

}  // namespace
