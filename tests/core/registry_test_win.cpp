// The registry view against the real registry (under Wine in the test run).

#include "store/RegistryView.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const wchar_t kTestKey[] = L"SOFTWARE\\QuorvelTest";

// HKCU\SOFTWARE\QuorvelTest with a few values; removed again afterwards.
class RegistryViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    // Stores the UTF-16 units of text; withNul adds the terminating NUL.
    void SetString(const wchar_t* name, DWORD type, const std::wstring& text, bool withNul = true)
    {
        const DWORD bytes = static_cast<DWORD>((text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t));
        ASSERT_EQ(RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()), bytes),
                  ERROR_SUCCESS);
    }
    HKEY key_ = nullptr;
};

TEST_F(RegistryViewTest, ReadsStringValuesOnly)
{
    SetString(L"PlayerName", REG_SZ, L"Nick_\x0418\x0432\x0430\x043d");
    SetString(L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\x");
    SetString(L"Empty", REG_SZ, L"");
    SetString(L"NoNul", REG_SZ, L"abc", false);
    SetString(L"NulInside", REG_SZ, std::wstring(L"ab\0cd", 5));
    SetString(L"Multi", REG_MULTI_SZ, std::wstring(L"a\0b\0", 4));
    SetString(L"", REG_SZ, L"the default value");
    const DWORD number = 96;
    ASSERT_EQ(RegSetValueExW(key_, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
    if (HasFatalFailure()) return;

    struct Case {
        const char* section;
        const char* key;
        const char* expected;  // nullptr: the default
    };
    const Case cases[] = {
        {"QuorvelTest", "PlayerName", "Nick_Иван"},
        {"quorveltest", "PLAYERNAME", "Nick_Иван"},
        {"QuorvelTest", "Expand", "%SystemRoot%\\x"},
        {"QuorvelTest", "Empty", ""},
        {"QuorvelTest", "NoNul", "abc"},
        {"QuorvelTest", "NulInside", "ab"},
        {"QuorvelTest", "", "the default value"},
        {"QuorvelTest", "Multi", nullptr},
        {"QuorvelTest", "Number", nullptr},
        {"QuorvelTest", "Missing", nullptr},
    };
    const store::RegistryView view("SOFTWARE");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(view.ReadString(c.section, c.key, "<default>"), c.expected ? c.expected : "<default>");
    }
}

TEST_F(RegistryViewTest, ReadsALongValue)
{
    const std::wstring text(5000, L'n');
    SetString(L"Long", REG_SZ, text);
    EXPECT_EQ(store::RegistryView().ReadString("QuorvelTest", "Long", "-"), std::string(5000, 'n'));
}

TEST_F(RegistryViewTest, MissingSubkeyReadsAsDefaultAndStaysMissing)
{
    EXPECT_EQ(store::RegistryView().ReadString("QuorvelTest\\Missing", "PlayerName", "Не получен"), "Не получен");
    HKEY probe = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QuorvelTest\\Missing", 0, KEY_READ, &probe),
              ERROR_FILE_NOT_FOUND);
    if (probe) RegCloseKey(probe);
}

}  // namespace
