#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "TestSupport.h"
#include "store/Files.h"
#include "store/IniFile.h"
#include "store/TextFile.h"

#include <sys/stat.h>

namespace {

// A file-size limit makes the disk "full" for this process only.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_ {};
    void (*oldHandler_)(int) = nullptr;
};

TEST(IniFailure, FullDiskLeavesTheOldFileAndNoTemp)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    const std::string original = "[global]\r\nnick=A\r\n";
    testsupport::WriteBytes(path, original);
    store::IniFile ini(path);
    {
        FileSizeLimit limit(8);
        EXPECT_THROW(ini.WriteString("global", "nick", "a much longer nick than before"), store::WriteError);
    }
    EXPECT_EQ(testsupport::ReadBytes(path), original);
    EXPECT_EQ(store::ListFiles(dir.Path()), std::vector<std::string>{"Setting.ini"});
}

TEST(IniWrite, WritesThroughALinkAndKeepsTheLink)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.File("real.ini"), "[a]\r\nk=1\r\n");
    std::filesystem::create_symlink(testsupport::U8Path(dir.File("real.ini")),
                                    testsupport::U8Path(dir.File("Setting.ini")));
    store::IniFile ini(dir.File("Setting.ini"));
    ini.WriteString("a", "k", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(testsupport::U8Path(dir.File("Setting.ini"))));
    EXPECT_EQ(testsupport::ReadBytes(dir.File("real.ini")), "[a]\r\nk=2\r\n");
}

// Files whose open or read would never end: the store must look before it
// opens, read them as nothing and refuse to write over them.
struct SpecialFileCase {
    const char* label;
    void (*make)(const std::string& path);
};
void PrintTo(const SpecialFileCase& c, std::ostream* os) { *os << c.label; }

const SpecialFileCase kSpecialFiles[] = {
    {"fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
    {"device node", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
};

class SpecialFile : public ::testing::TestWithParam<SpecialFileCase> {};

TEST_P(SpecialFile, NeverBlocksAndIsNeverReplaced)
{
    testsupport::TempDir dir;
    const std::string settings = dir.File("Setting.ini");
    const std::string text = dir.File("a.txt");
    GetParam().make(settings);
    GetParam().make(text);

    store::IniFile ini(settings);
    EXPECT_EQ(ini.ReadString("global", "nick", "default"), "default");
    EXPECT_EQ(ini.ReadInteger("global", "server", 1), 1);
    EXPECT_THROW(ini.WriteString("global", "nick", "A"), store::WriteError);
    EXPECT_THROW(store::ReadTextFile(text), store::FileError);
    EXPECT_THROW(store::WriteTextFile(text, "x"), store::FileError);

    struct stat st {};
    ASSERT_EQ(lstat(settings.c_str(), &st), 0);
    EXPECT_FALSE(S_ISREG(st.st_mode)) << "replaced by an ordinary file";
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(testsupport::U8Path(dir.Path()))) ++entries;
    EXPECT_EQ(entries, 2) << "a temp file was left";
}
INSTANTIATE_TEST_SUITE_P(Store, SpecialFile, ::testing::ValuesIn(kSpecialFiles),
                         [](const auto& info) { return std::string(info.param.label) == "fifo" ? "Fifo" : "Device"; });

class Umask {
public:
    explicit Umask(mode_t mask) : saved_(umask(mask)) {}
    ~Umask() { umask(saved_); }

private:
    mode_t saved_;
};

struct ModeCase {
    const char* label;
    int before;  // -1: no file yet
    mode_t after;
};

TEST(AtomicWrite, NewFilesFollowTheUmaskOldOnesKeepTheirRights)
{
    const ModeCase cases[] = {
        {"new file", -1, 0644},
        {"owner only", 0600, 0600},
        {"shared on purpose", 0664, 0664},
    };
    const Umask mask(022);
    testsupport::TempDir dir;
    for (const ModeCase& c : cases) {
        const std::string path = dir.File(std::string(c.label) + ".ini");
        if (c.before >= 0) {
            testsupport::WriteBytes(path, "old");
            chmod(path.c_str(), static_cast<mode_t>(c.before));
        }
        ASSERT_TRUE(store::WriteFileAtomic(path, "new")) << c.label;
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after) << c.label;
    }
}

}  // namespace
