#pragma once
// Real child processes for the process-list tests: a copy of a long-running
// program under a chosen file name. The platform halves live in
// process_test_support_<platform>.cpp.

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace proctest {

using namespace std::chrono_literals;

// A name no other test run on this machine uses at the same time.
std::string UniqueStem();

// Copies the long-running program to `path`.
void CopyRunner(const std::string& path);

// The parameter that keeps a copied runner alive for a few minutes.
std::string RunnerParameter();

// True where the process list shows argv[0] as given by the starter (so it can
// be a foreign path, empty, or the full path); false where it shows the file name.
bool ListShowsArgv0();

// True when this process has a child that ended and was not reaped.
bool HasUnreapedChild();

// A started copy of the runner; stopped and reaped when it goes.
class Child {
public:
    // Starts the program at path. argv0 (only where ListShowsArgv0()) replaces
    // the default first argument, the full path.
    explicit Child(const std::string& path, const char* argv0 = nullptr);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const;
    // Waits up to timeout for the process to end, then reaps it.
    bool WaitForExit(std::chrono::milliseconds timeout);
    // Stops it through its own handle, leaving it unreaped (a zombie on Linux).
    void TerminateUnreaped();
    // Waits until it has ended, without reaping it.
    bool WaitEndedUnreaped(std::chrono::milliseconds timeout);

private:
    struct State;
    State* state_;
};

inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5000ms)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
}

}  // namespace proctest
