// Starting a program detached, seen afterwards in the process list.

#include "companion/Launch.h"
#include "companion/Processes.h"

#include "TestSupport.h"
#include "process_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using companion::IsExactProcessRunning;
using companion::KillProcessByName;
using companion::LaunchDetached;

namespace {

TEST(Launch, StartsDetachedFromACyrillicFolder)
{
    testsupport::TempDir dir;
    const std::string folder = dir.File("Биндер");
    std::filesystem::create_directory(testsupport::U8Path(folder));
    const std::string name = proctest::UniqueStem() + "launch.exe";
    const std::string path = folder + dir.Path().back() + name;
    proctest::CopyRunner(path);

    ASSERT_TRUE(LaunchDetached(path, proctest::RunnerParameter()));
    ASSERT_TRUE(proctest::WaitUntil([&] { return IsExactProcessRunning(name); })) << "never showed up";
    // Detached: no child of ours waits to be reaped, now or once it ends.
    EXPECT_FALSE(proctest::HasUnreapedChild());

    EXPECT_NE(KillProcessByName(name), 0);
    EXPECT_TRUE(proctest::WaitUntil([&] { return !IsExactProcessRunning(name); }));
    EXPECT_FALSE(proctest::HasUnreapedChild());
}

TEST(Launch, MissingFileStartsNothing)
{
    testsupport::TempDir dir;
    const std::string name = proctest::UniqueStem() + "missing.exe";
    bool started = true;
    EXPECT_NO_THROW(started = LaunchDetached(dir.File(name), proctest::RunnerParameter()));
    EXPECT_FALSE(started);
    EXPECT_FALSE(IsExactProcessRunning(name));
    EXPECT_FALSE(LaunchDetached("", proctest::RunnerParameter()));
}

}  // namespace
