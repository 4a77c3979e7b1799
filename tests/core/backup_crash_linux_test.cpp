// Imports and restores cut short by a pulled plug, and beside a running
// companion. A child process runs the job under strace, which kills it with
// SIGKILL on its Nth call of one system call; the next start must bring back
// the old setup (or find the new one complete), with no file ever missing and
// no temp file left.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

#include "TestSupport.h"
#include "backup/Apply.h"
#include "backup/IniMerge.h"
#include "backup/Journal.h"
#include "backup/Snapshots.h"
#include "store/Files.h"
#include "store/IniFile.h"
#include "core/BuildPaths.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using Tree = std::map<std::string, std::string>;

void Put(const std::string& dir, const std::string& relative, const std::string& bytes)
{
    const fs::path path = testsupport::U8Path(dir + relative);
    fs::create_directories(path.parent_path());
    testsupport::WriteBytes(path.string(), bytes);
}

// Every file and folder; snapshots aside, as an import writes one first.
Tree ReadTree(const std::string& dir)
{
    return testsupport::ReadTree(dir, [](const std::string& path) { return path == "backup" || path.starts_with("backup/snapshot-"); });
}

// The setup before: a server with texts, a command, its key file and a file
// the archive lacks (replace removes it).
void OldSetup(const std::string& dir)
{
    Put(dir, "Setting.ini", "[global]\r\nnick=Old\r\n\xE6\xE5\xF2\xEE\xED=7\r\n[quorvel]\r\n\xEE\xE4=0\r\n[hotkeys]\r\nkey1=VK70\r\n");
    Put(dir, "date/rp1/keycomand.ini", "[keys]\r\nA=VK12 & VK31\r\n");
    Put(dir, "отыгровки/rp1/штраф.txt", "old text");
    Put(dir, "отыгровки/rp1/команды/арест.lcb", "old command");
    Put(dir, "отыгровки/rp1/only-here.txt", "not in the archive");
}

// The archive: changed files, a new file and a server never set up here
// (its folders are made).
backup::Files NewFiles()
{
    return {
        {"Setting.ini", "[global]\r\nnick=New\r\n[hotkeys]\r\nkey1=VK71\r\nkey2=VK72\r\n"},
        {"date/rp1/keycomand.ini", "[keys]\r\nA=VK12 & VK32\r\nB=VK12 & VK33\r\n"},
        {"отыгровки/rp1/штраф.txt", "new text"},
        {"отыгровки/rp1/новый.txt", "added"},
        {"date/rp2/keycomand.ini", "[keys]\r\nC=VK12 & VK34\r\n"},
        {"отыгровки/rp2/штраф.txt", "second server"},
    };
}

backup::Archive NewArchive()
{
    backup::Archive a;
    a.manifest.program = "test";
    a.manifest.created = "2026-12-10 08:30:00";
    a.files = NewFiles();
    return a;
}

struct KillJob {
    const char* name;
    backup::Mode mode;
    bool fromSnapshot;  // a restore: the archive is one of the snapshots
};
void PrintTo(const KillJob& j, std::ostream* os) { *os << j.name; }

std::string ArchivePath(const std::string& dir, const KillJob& job)
{
    return job.fromSnapshot ? backup::SnapshotFolder(dir) + "snapshot-20261201-080000.zip" : dir + "in.zip";
}

void Prepare(const std::string& dir, const KillJob& job)
{
    static const std::string zip = backup::Pack(NewArchive());  // a zip records the time it was made
    OldSetup(dir);
    fs::create_directories(testsupport::U8Path(backup::SnapshotFolder(dir)));
    testsupport::WriteBytes(ArchivePath(dir, job), zip);
}

// The paths where two trees differ, for a short failure message.
std::string Differences(const Tree& a, const Tree& b)
{
    std::string out;
    for (const auto& [path, bytes] : a)
        if (!b.count(path) || b.at(path) != bytes) out += " " + path;
    for (const auto& [path, bytes] : b)
        if (!a.count(path)) out += " +" + path;
    return out;
}

const KillJob kJobs[] = {
    {"ImportMerge", backup::Mode::Merge, false},
    {"RestoreSnapshot", backup::Mode::Replace, true},  // replace: removes a file too
};

// The job under strace, killed on the Nth call of `call` (0: never). Its wait status.
int RunKilled(const std::string& dir, const KillJob& job, const std::string& call, int n)
{
    std::vector<std::string> args = {"strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + call};
    if (n > 0) args.push_back("--inject=" + call + ":signal=KILL:when=" + std::to_string(n));
    args.insert(args.end(), {buildpaths::kImportJob, dir, ArchivePath(dir, job), job.mode == backup::Mode::Merge ? "merge" : "replace"});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // LeakSanitizer cannot run under a tracer.
    std::vector<std::string> vars = {"ASAN_OPTIONS=detect_leaks=0"};
    for (char** e = environ; *e; ++e)
        if (!std::string_view(*e).starts_with("ASAN_OPTIONS=")) vars.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, "strace", &quiet, nullptr, argv.data(), envp.data()) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&quiet);
    return status;
}

class ImportKill : public ::testing::TestWithParam<KillJob> {};

TEST_P(ImportKill, TheNextStartHasTheOldSetupOrTheNewAndNoTempFile)
{
    const KillJob& job = GetParam();
    Tree before, after;
    {
        TempDir dir;
        Prepare(dir.Path(), job);
        before = ReadTree(dir.Path());
        const int status = RunKilled(dir.Path(), job, "rename", 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) GTEST_SKIP() << "strace cannot trace here";
        after = ReadTree(dir.Path());
    }
    ASSERT_NE(Differences(before, after), "");

    int killed = 0, undone = 0;
    for (const char* call : {"rename", "renameat2", "link", "unlink", "fsync", "syncfs"}) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(std::string(call) + " #" + std::to_string(n));
            TempDir dir;
            Prepare(dir.Path(), job);
            const int status = RunKilled(dir.Path(), job, call, n);
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) break;  // past its last such call
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
            ++killed;

            // Whatever the moment, every file both setups have is there.
            for (const auto& [path, bytes] : before) {
                if (after.count(path)) {
                    ASSERT_TRUE(testsupport::Exists(dir.File(path))) << path << " missing";
                }
            }
            const bool interrupted = testsupport::Exists(backup::JournalPath(dir.Path()));
            const backup::Recovery r = backup::RecoverInterrupted(dir.Path());
            EXPECT_EQ(r.undone, interrupted) << r.Message();
            EXPECT_TRUE(r.stuck.empty());
            const Tree now = ReadTree(dir.Path());
            if (interrupted || now != after) {
                ASSERT_EQ(Differences(now, before), "");
            }
            undone += interrupted;
        }
    }
    EXPECT_GT(killed, 20);
    EXPECT_GT(undone, 5);  // the kills reached the renames
}

INSTANTIATE_TEST_SUITE_P(Jobs, ImportKill, ::testing::ValuesIn(kJobs), [](const auto& info) { return info.param.name; });

// A companion that rewrites Setting.ini its own way: read it, add one key,
// write a temp file, rename it over. Every key it ever wrote must stay, and it
// must never find the file missing.
struct Companion {
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::atomic<int> missing{0};
};

std::string Key(int i)
{
    return "w" + std::to_string(i);
}

void RunCompanion(const std::string& path, Companion& shared)
{
    for (int i = 1; !shared.stop; ++i) {
        const store::FileContents c = store::ReadWholeFile(path);
        if (c.status != store::ReadStatus::Ok) ++shared.missing;
        const std::string next = backup::MergeInto(c.bytes, "[companion]\r\n" + Key(i) + "=1\r\n");
        if (store::WriteFileAtomic(path, next)) shared.written = i;
        else --i;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}

// The companion in a child process, stopped and waited for however the test ends.
class CompanionProcess {
public:
    explicit CompanionProcess(const std::string& settings)
        : shared_(static_cast<Companion*>(
              mmap(nullptr, sizeof(Companion), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0)))
    {
        new (shared_) Companion;
        pid_ = fork();
        if (pid_ == 0) {
            RunCompanion(settings, *shared_);
            _exit(0);
        }
    }
    ~CompanionProcess()
    {
        Stop();
        munmap(shared_, sizeof(Companion));
    }
    void Stop()
    {
        if (pid_ <= 0) return;
        shared_->stop = true;
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    const Companion& Shared() const { return *shared_; }

private:
    Companion* shared_;
    pid_t pid_ = -1;
};

TEST(ImportBesideTheCompanion, KeepsEveryKeyItWritesAndTheFileIsNeverMissing)
{
    TempDir dir;
    OldSetup(dir.Path());
    const std::string settings = dir.File("Setting.ini");
    CompanionProcess companion(settings);
    const Companion& shared = companion.Shared();

    // Keys the plan of a replace saw go with it; every later one stays.
    int keptFrom = 1;
    const backup::Archive archive = NewArchive();
    // Every key written before `upTo` was read.
    const auto check = [&](int upTo) {
        std::set<std::string> names;
        for (const auto& [k, v] : store::IniFile::ParseSection(testsupport::ReadBytes(settings), "companion")) names.insert(k);
        for (int i = keptFrom; i <= upTo; ++i) ASSERT_TRUE(names.count(Key(i))) << Key(i) << " lost";
    };
    for (int n = 0; n < 20; ++n) {
        const backup::Mode mode = n % 2 ? backup::Mode::Replace : backup::Mode::Merge;
        const backup::Plan plan = backup::MakePlan(dir.Path(), archive, mode);
        if (mode == backup::Mode::Replace)
            for (const auto& [k, v] : store::IniFile::ParseSection(*plan.settings.at("Setting.ini").before, "companion"))
                keptFrom = std::max(keptFrom, std::stoi(k.substr(1)) + 1);
        // The companion writes after the plan, every time.
        const int planned = shared.written;
        for (int wait = 0; shared.written < planned + 2 && wait < 1000; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_GE(shared.written, planned + 2);
        ASSERT_NO_THROW(backup::ApplyPlan(dir.Path(), plan)) << n;
        check(shared.written);
    }
    companion.Stop();
    check(shared.written);
    EXPECT_EQ(shared.missing, 0);
}

}  // namespace
