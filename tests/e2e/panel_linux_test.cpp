// The real panel program, started from a program folder of its own beside a
// real stand-in companion, and ended the way a system ends a program.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "backup/Setup.h"
#include "companion/Processes.h"
#include "core/TestSupport.h"
#include "core/process_test_support.h"
#include "store/Cp1251.h"
#include "core/BuildPaths.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Process {
public:
    Process(const std::string& path, std::vector<std::string> args, const std::vector<std::string>& extraEnv = {})
    {
        args.insert(args.begin(), path);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env(extraEnv);
        for (char** e = environ; *e; ++e) env.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    }
    ~Process()
    {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    void Signal(int sig) { kill(pid_, sig); }
    // The exit status once it ended within the timeout; -1 when it did not.
    int WaitExit(std::chrono::milliseconds timeout)
    {
        int status = 0;
        const bool ended = proctest::WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout);
        if (!ended) return -1;
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
};

class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Processes orphaned below us come to us, not to init.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        companion::KillProcessByName("Quorvel.exe");
        fs::copy_file(buildpaths::kPanel, dir_.File("QuorvelPanel"));
        fs::copy_file(buildpaths::kBinder, dir_.File("Quorvel.exe"));
        for (int server = 1; server <= 4; ++server) {
            fs::create_directories(testsupport::U8Path(dir_.File("отыгровки/rp" + std::to_string(server) + "/команды")));
            fs::create_directories(testsupport::U8Path(dir_.File("date/rp" + std::to_string(server))));
        }
    }
    void TearDown() override { companion::KillProcessByName("Quorvel.exe"); }

    std::unique_ptr<Process> StartPanel()
    {
        return std::make_unique<Process>(dir_.File("QuorvelPanel"), std::vector<std::string>{},
                                         std::vector<std::string>{"QT_QPA_PLATFORM=offscreen",
                                                                  "WINEPREFIX=" + dir_.File("wine")});
    }
    // The first show's snapshot of the setup is on disk.
    bool FirstShowHappened() const
    {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(testsupport::U8Path(dir_.File("backup")), error))
            if (entry.path().extension() == ".zip") return true;
        return false;
    }
    // True once the process has its SIGTERM handler: the panel is past its start.
    static bool CatchesTermination(pid_t pid)
    {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
        return false;
    }
    // Reaps the ended children this test did not start itself; returns how many.
    static int ReapOrphans()
    {
        int n = 0;
        while (waitpid(-1, nullptr, WNOHANG) > 0) ++n;
        return n;
    }
    static int CountCompanions()
    {
        int n = 0;
        for (const auto& entry : fs::directory_iterator("/proc")) {
            std::ifstream cmdline(entry.path() / "cmdline");
            std::string argv0;
            if (std::getline(cmdline, argv0, '\0') && fs::path(argv0).filename() == "Quorvel.exe") ++n;
        }
        return n;
    }

    testsupport::TempDir dir_;
};

TEST_F(Panel, ClosingDuringTheSplashStopsACompanionLeftFromBefore)
{
    Process companion(dir_.File("Quorvel.exe"), {"-startscript40"});
    ASSERT_TRUE(companion.Started());
    auto panel = StartPanel();
    ASSERT_TRUE(panel->Started());
    ASSERT_TRUE(proctest::WaitUntil([&] { return CatchesTermination(panel->Pid()); }, 30s)) << "the panel never got up";
    panel->Signal(SIGTERM);
    EXPECT_EQ(panel->WaitExit(10s), 0);
    EXPECT_EQ(companion.WaitExit(5s), 0) << "the stand-in ends cleanly on the panel's stop";
    EXPECT_FALSE(FirstShowHappened()) << "closed after the splash, not during it";
}

TEST_F(Panel, FirstShowKeepsTheRunningCompanionAndCloseStopsIt)
{
    Process companion(dir_.File("Quorvel.exe"), {"-startscript40"});
    auto panel = StartPanel();
    ASSERT_TRUE(proctest::WaitUntil([&] { return FirstShowHappened(); }, 60s)) << "no first show";
    // The close is handled after the first show has run to its end, launch included.
    panel->Signal(SIGTERM);
    EXPECT_EQ(panel->WaitExit(10s), 0);
    EXPECT_EQ(companion.WaitExit(5s), 0);
    EXPECT_TRUE(proctest::WaitUntil([] { return CountCompanions() == 0; }));
    // A launched companion, orphaned by its detaching launch, ends as our child.
    EXPECT_EQ(ReapOrphans(), 0) << "no second binder";
}

TEST_F(Panel, FirstShowStartsTheCompanionBesideThePanel)
{
    auto panel = StartPanel();
    EXPECT_TRUE(proctest::WaitUntil([] { return CountCompanions() == 1; }, 20s));
    panel->Signal(SIGTERM);
    EXPECT_EQ(panel->WaitExit(10s), 0);
    EXPECT_TRUE(proctest::WaitUntil([] { return CountCompanions() == 0; }));
}

TEST_F(Panel, ExportThenImportReplaceRebuildsTheSetupInAnEmptyFolderWithoutADisplay)
{
    const auto put = [&](const std::string& relative, const std::string& utf8) {
        testsupport::WriteBytes(dir_.File(relative), store::Utf8ToCp1251(utf8));
    };
    put("Setting.ini", "[global]\r\nnick=Иван_Петров\r\n[hotkeys]\r\nkey37=VK12 & VK46\r\n");
    put("отыгровки/rp2/штраф.txt", "/me достал бланк\r\n/do Бланк заполнен.");
    put("отыгровки/rp4/команды/арест.lcb", "/cuff");
    put("date/rp3/keycomand.ini", "[keys]\r\nарест=VK12 & VK31\r\n");
    // No display at all: a job that touched the window system would fail.
    const std::vector<std::string> headless{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb"};
    const std::string zip = dir_.File("setup.zip");
    EXPECT_EQ(Process(dir_.File("QuorvelPanel"), {"--export", zip}, headless).WaitExit(30s), 0);

    testsupport::TempDir empty;
    fs::copy_file(buildpaths::kPanel, empty.File("QuorvelPanel"));
    EXPECT_EQ(Process(empty.File("QuorvelPanel"), {"--import", zip, "--replace"}, headless).WaitExit(30s), 0);
    const backup::Files imported = backup::ReadSetup(empty.Path(), {});
    EXPECT_EQ(imported.size(), 4u);
    EXPECT_EQ(imported, backup::ReadSetup(dir_.Path(), {}));

    EXPECT_EQ(Process(empty.File("QuorvelPanel"), {"--import", dir_.File("missing.zip")}, headless).WaitExit(30s), 1);
}

}  // namespace
