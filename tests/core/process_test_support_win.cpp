#include "process_test_support.h"

#include "TestSupport.h"
#include "core/BuildPaths.h"

#include <windows.h>

#include <filesystem>

namespace proctest {

std::string UniqueStem()
{
    return "QvT" + std::to_string(GetCurrentProcessId()) + "x";
}

void CopyRunner(const std::string& path)
{
    std::filesystem::copy_file(std::filesystem::path(buildpaths::kRunner), testsupport::U8Path(path),
                               std::filesystem::copy_options::overwrite_existing);
}

std::string RunnerParameter()
{
    return "-startscript40";
}

bool ListShowsArgv0()
{
    return false;
}

bool HasUnreapedChild()
{
    return false;  // no zombies: a process handle keeps nothing in the list
}

struct Child::State {
    PROCESS_INFORMATION info{};
    bool started = false;
    bool ended = false;
};

Child::Child(const std::string& path, const char*) : state_(new State)
{
    const std::wstring file = testsupport::U8Path(path).wstring();
    std::wstring commandLine = L"\"" + file + L"\" " + testsupport::U8Path(RunnerParameter()).wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // No console: the runner's chatter stays out of the test output.
    state_->started = CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                                     nullptr, nullptr, &startup, &state_->info) != 0;
}

Child::~Child()
{
    if (state_->started) {
        if (!state_->ended) {
            TerminateProcess(state_->info.hProcess, 1);
            WaitForSingleObject(state_->info.hProcess, 5000);
        }
        CloseHandle(state_->info.hThread);
        CloseHandle(state_->info.hProcess);
    }
    delete state_;
}

bool Child::Started() const
{
    return state_->started;
}

bool Child::WaitForExit(std::chrono::milliseconds timeout)
{
    if (!state_->started) return false;
    if (!state_->ended) {
        state_->ended =
            WaitForSingleObject(state_->info.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
    }
    return state_->ended;
}

void Child::TerminateUnreaped()
{
    if (state_->started) TerminateProcess(state_->info.hProcess, 1);
}

bool Child::WaitEndedUnreaped(std::chrono::milliseconds timeout)
{
    return state_->started &&
           WaitForSingleObject(state_->info.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

}  // namespace proctest
