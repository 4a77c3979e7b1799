#include <gtest/gtest.h>

#include "TestSupport.h"
#include "store/IniFile.h"
#include "store/WinText.h"

namespace {

TEST(IniFailure, LockedFileRaisesAndIsLeftIntact)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Setting.ini");
    const std::string original = "[global]\r\nnick=A\r\n";
    testsupport::WriteBytes(path, original);
    store::IniFile ini(path);
    HANDLE lock = CreateFileW(store::Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_THROW(ini.WriteString("global", "nick", "B"), store::WriteError);
    CloseHandle(lock);
    EXPECT_EQ(testsupport::ReadBytes(path), original);
    ini.WriteString("global", "nick", "B");
    EXPECT_EQ(ini.ReadString("global", "nick", ""), "B");
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
