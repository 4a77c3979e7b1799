#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TestSupport.h"
#include "store/Files.h"
#include "store/IniFile.h"
#include "store/WinText.h"

namespace {

// Another program holds the file (the companion, a virus scanner): a short
// hold is waited out, one longer than about two seconds refuses the write.
TEST(IniFailure, AFileHeldByAnotherProgramIsWaitedForAboutTwoSeconds)
{
    struct Case {
        const char* label;
        DWORD share;  // what the holder lets others do
        int holdMs;
        bool written;
    };
    const Case cases[] = {
        {"no reading, briefly", 0, 400, true},
        {"no renaming over it, briefly", FILE_SHARE_READ, 400, true},
        {"no reading, for long", 0, 4000, false},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const std::string path = dir.File("Setting.ini");
        const std::string original = "[global]\r\nnick=A\r\n";
        testsupport::WriteBytes(path, original);
        store::IniFile ini(path);
        HANDLE lock = CreateFileW(store::Widen(path).c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE) << c.label;
        std::thread holder([&] {
            Sleep(static_cast<DWORD>(c.holdMs));
            CloseHandle(lock);
        });
        const auto start = std::chrono::steady_clock::now();
        bool written = true;
        try {
            ini.WriteString("global", "nick", "B");
        } catch (const store::WriteError&) {
            written = false;
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        holder.join();
        EXPECT_EQ(written, c.written) << c.label;
        EXPECT_EQ(testsupport::ReadBytes(path), written ? "[global]\r\nnick=B\r\n" : original) << c.label;
        if (!written) EXPECT_GE(waited, std::chrono::milliseconds(1800)) << c.label;
        EXPECT_EQ(store::ListFiles(dir.Path()).size(), 1u) << c.label << ": a temp file was left";
    }
}

// Temp files are hidden, and the flag does not travel with one into place.
TEST(AtomicWrite, TempFilesAreHiddenTheFileInPlaceIsNot)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    const std::string temp = store::WriteTempBeside(path, "[a]\r\n");
    ASSERT_FALSE(temp.empty());
    EXPECT_TRUE(GetFileAttributesW(store::Widen(temp).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(store::RenameFile(temp, path), store::RenameResult::Done);
    ASSERT_TRUE(store::WriteFileAtomic(path, "[a]\r\nk=1\r\n"));
    EXPECT_FALSE(GetFileAttributesW(store::Widen(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(IniFailure, ReadOnlyAttributeIsHonoured)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    testsupport::WriteBytes(path, "[a]\r\nk=1\r\n");
    SetFileAttributesW(store::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
    store::IniFile ini(path);
    EXPECT_THROW(ini.WriteString("a", "k", "2"), store::WriteError);
    SetFileAttributesW(store::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(testsupport::ReadBytes(path), "[a]\r\nk=1\r\n");
}

}  // namespace
