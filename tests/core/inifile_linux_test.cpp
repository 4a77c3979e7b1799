#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "TestSupport.h"
#include "store/Files.h"
#include "store/IniFile.h"

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

}  // namespace
