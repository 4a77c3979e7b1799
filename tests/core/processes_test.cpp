// The process functions against real child processes.

#include "companion/Contract.h"
#include "companion/Processes.h"

#include "TestSupport.h"
#include "process_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using companion::IsExactProcessRunning;
using companion::IsProcessRunning;
using companion::KillProcessByName;
using namespace std::chrono_literals;

namespace {

std::string Upper(std::string s)
{
    for (char& c : s) c = companion::detail::AsciiUpper(c);
    return s;
}

// Starts copies of the runner in a fresh folder and waits until the process
// list shows them.
class Runners {
public:
    // fileName: the copy's name; argv0: what the list should show, if not the path.
    void Start(const std::string& fileName, const std::string& visibleName, const char* argv0 = nullptr)
    {
        const std::string path = dir_.File(fileName);
        if (!testsupport::Exists(path)) proctest::CopyRunner(path);
        children_.push_back(std::make_unique<proctest::Child>(path, argv0));
        ASSERT_TRUE(children_.back()->Started()) << path;
        ASSERT_TRUE(proctest::WaitUntil([&] { return IsExactProcessRunning(visibleName); }))
            << visibleName << " never showed up";
    }
    proctest::Child& operator[](std::size_t i) { return *children_[i]; }
    const testsupport::TempDir& Dir() const { return dir_; }

private:
    testsupport::TempDir dir_;
    std::vector<std::unique_ptr<proctest::Child>> children_;
};

struct MatchCase {
    const char* label;
    std::string fileName;     // the running copy
    std::string query;        // the name asked for
    const char* argv0;        // shown instead of the full path (only where the list shows argv[0])
    bool needsArgv0;          // the case makes sense only where the list shows argv[0]
    bool running;             // IsProcessRunning(query)
    bool exactRunning;        // IsExactProcessRunning(query)
    bool killed;              // KillProcessByName(query) stops it
};

std::vector<MatchCase> MatchCases()
{
    const std::string s = proctest::UniqueStem();
    return {
        {"exact name", s + ".exe", s + ".exe", nullptr, false, true, true, true},
        {"other letter case", s + ".exe", Upper(s + ".exe"), nullptr, false, true, true, true},
        {"lower-case file, upper-case query", "qvt" + s.substr(3) + ".exe", s + ".EXE", nullptr, false, true, true,
         true},
        {"name is only a prefix of the file name", s + ".exe.bak", s + ".exe", nullptr, false, true, false, false},
        {"query is a shorter prefix", s + ".exe", s, nullptr, false, true, false, false},
        {"file name shorter than the query", s + ".ex", s + ".exe", nullptr, false, false, false, false},
        {"Cyrillic file name", s + "Квор.exe", s + "Квор.exe", nullptr, false, true, true, true},
        // Wine shows the Windows path of the program as argv[0].
        {"Windows path in argv[0]", s + ".exe", s + ".exe", "C:\\Games\\Binder\\", true, true, true, true},
        // No argv[0]: the kernel's short name (at most 15 bytes) stands in.
        {"empty argv[0]", s + ".exe", s + ".exe", "", true, true, true, true},
    };
}

TEST(Processes, MatchRulesAgainstRealProcesses)
{
    for (const MatchCase& c : MatchCases()) {
        SCOPED_TRACE(c.label);
        if (c.needsArgv0 && !proctest::ListShowsArgv0()) continue;
        Runners runners;
        std::string argv0;
        if (c.argv0) argv0 = *c.argv0 ? c.argv0 + c.fileName : std::string();
        runners.Start(c.fileName, c.fileName, c.argv0 ? argv0.c_str() : nullptr);
        if (HasFatalFailure()) return;

        EXPECT_EQ(IsProcessRunning(c.query), c.running);
        EXPECT_EQ(IsExactProcessRunning(c.query), c.exactRunning);
        EXPECT_EQ(KillProcessByName(c.query) != 0, c.killed);
        if (c.killed) {
            EXPECT_TRUE(runners[0].WaitForExit(5s));
            EXPECT_FALSE(IsExactProcessRunning(c.fileName));
        } else {
            EXPECT_FALSE(runners[0].WaitForExit(200ms)) << "stopped although the name did not match exactly";
        }
    }
}

TEST(Processes, KillAcceptsTheWholeExecutableField)
{
    if (!proctest::ListShowsArgv0()) GTEST_SKIP() << "the list holds file names only";
    Runners runners;
    const std::string name = proctest::UniqueStem() + ".exe";
    runners.Start(name, name);
    if (HasFatalFailure()) return;
    const std::string fullPath = runners.Dir().File(name);
    EXPECT_FALSE(IsProcessRunning(fullPath));
    EXPECT_NE(KillProcessByName(fullPath), 0);
    EXPECT_TRUE(runners[0].WaitForExit(5s));
}

TEST(Processes, KillStopsEveryInstance)
{
    Runners runners;
    const std::string name = proctest::UniqueStem() + ".exe";
    runners.Start(name, name);
    runners.Start(name, name);
    if (HasFatalFailure()) return;
    EXPECT_NE(KillProcessByName(name), 0);
    EXPECT_TRUE(runners[0].WaitForExit(5s));
    EXPECT_TRUE(runners[1].WaitForExit(5s));
    EXPECT_FALSE(IsProcessRunning(name));
}

TEST(Processes, NothingMatches)
{
    const std::string name = proctest::UniqueStem() + "none.exe";
    EXPECT_FALSE(IsProcessRunning(name));
    EXPECT_FALSE(IsExactProcessRunning(name));
    EXPECT_EQ(KillProcessByName(name), 0);
}

TEST(Processes, EndedButUnreapedChildDoesNotCount)
{
    Runners runners;
    const std::string name = proctest::UniqueStem() + ".exe";
    runners.Start(name, name);
    if (HasFatalFailure()) return;
    runners[0].TerminateUnreaped();
    ASSERT_TRUE(runners[0].WaitEndedUnreaped(5s));
    EXPECT_FALSE(IsProcessRunning(name));
    EXPECT_FALSE(IsExactProcessRunning(name));
    EXPECT_EQ(KillProcessByName(name), 0);
}

// The companion's real name. Stopped through its own handle, so companions
// that other programs on this machine run are left alone.
TEST(Processes, SeesTheCompanionByItsRealName)
{
    Runners runners;
    const std::string name(companion::kCompanionExe);
    runners.Start(name, name);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(IsProcessRunning(companion::kCompanionExe));
    EXPECT_TRUE(IsExactProcessRunning(companion::kCompanionExe));
}

// The watch answers as IsProcessRunning would, also after the process it
// holds has ended unseen: the very next call after an end tells.
TEST(ProcessWatch, FollowsProcessesStartedAndEndedByOthers)
{
    Runners runners;
    const std::string name = proctest::UniqueStem() + "w.exe";
    companion::ProcessWatch watch(name);
    EXPECT_FALSE(watch.IsRunning());

    runners.Start(name + ".bak", name + ".bak");  // a prefix match counts, as it does for the scan
    runners.Start(name, name);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(watch.IsRunning());
    EXPECT_TRUE(watch.IsRunning());

    // Whichever the watch holds, ending one leaves the other to be found.
    runners[0].TerminateUnreaped();
    ASSERT_TRUE(runners[0].WaitEndedUnreaped(5s));
    EXPECT_TRUE(watch.IsRunning());
    runners[1].TerminateUnreaped();
    ASSERT_TRUE(runners[1].WaitEndedUnreaped(5s));
    EXPECT_FALSE(watch.IsRunning()) << "an ended, unreaped process still counted";
    EXPECT_FALSE(watch.IsRunning());

    runners.Start(name, name);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(watch.IsRunning());
}

}  // namespace
