// The registry view over Wine's user.reg, in the format Wine writes it.

#include "store/RegistryView.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

const char* const kUserReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\Other] 1700000000
#time=1da1b2c3d4e5f60
"PlayerName"="from another key"

[Software\\SAMP] 1700000001
#time=1da1b2c3d4e5f61
"Cyrillic"="\x41f\x435\x442\x440 \x0418\x0432\x0430\x043d\x043e\x0432"
"Empty"=""
"Quotes"="say \"hi\""
"Path"="C:\\Games\\GTA San Andreas\\"
"Controls"="\a\b\t\n\v\f\r\e"
"Hex"="\x41g\x004142"
"Octal"="\101\0612\7"
"Pair"="\xd83d\xde00!"
"Lone"="\xd83dx"
"NoDigits"="\xyz"
"NulInside"="ab\0cd"
"Expand"=str(2):"%USERPROFILE%\\Documents"
"Multi"=str(7):"a\0b\0"
"Number"=dword:00000060
"Binary"=hex:41,00,\
  42,00
"Typed"=hex(2):41,00,00,00
"Broken"="no closing quote
"name \"quoted\""="odd name"
"MixedCase"="value name case"
  "Indented"="leading blanks"
"Spaced" = "blanks around ="
@="the default value"
"PlayerName"="Nick_Name"

[Software\\SAMP\\Sub] 1700000002
"PlayerName"="from the subkey"

[Software\\SAMPLE] 1700000003
"Only"="from a longer key"

[Software\\Odd\]Key] 1700000004
"PlayerName"="bracket in the key name"
)reg";

struct ReadCase {
    const char* section;
    const char* key;
    const char* expected;  // nullptr: the default
};

const ReadCase kCases[] = {
    {"SAMP", "PlayerName", "Nick_Name"},
    {"samp", "PLAYERNAME", "Nick_Name"},
    {"SAMP", "Cyrillic", "Петр Иванов"},
    {"SAMP", "Empty", ""},
    {"SAMP", "Quotes", "say \"hi\""},
    {"SAMP", "Path", "C:\\Games\\GTA San Andreas\\"},
    {"SAMP", "Controls", "\a\b\t\n\v\f\r\x1b"},
    {"SAMP", "Hex", "AgA42"},
    {"SAMP", "Octal", "A12\x07"},
    {"SAMP", "Pair", "\xF0\x9F\x98\x80!"},
    {"SAMP", "Lone", "\xEF\xBF\xBDx"},
    {"SAMP", "NoDigits", "xyz"},
    {"SAMP", "NulInside", "ab"},
    {"SAMP", "Expand", "%USERPROFILE%\\Documents"},
    {"SAMP", "Multi", nullptr},
    {"SAMP", "Number", nullptr},
    {"SAMP", "Binary", nullptr},
    {"SAMP", "Typed", nullptr},
    {"SAMP", "Broken", nullptr},
    {"SAMP", "name \"quoted\"", "odd name"},
    {"SAMP", "mixedcase", "value name case"},
    {"SAMP", "Indented", "leading blanks"},
    {"SAMP", "Spaced", "blanks around ="},
    {"SAMP", "", "the default value"},
    {"SAMP", "Missing", nullptr},
    {"SAMP", "Only", nullptr},
    {"SAMP\\Sub", "PlayerName", "from the subkey"},
    {"SAMPLE", "Only", "from a longer key"},
    {"SAM", "PlayerName", nullptr},
    {"Odd]Key", "PlayerName", "bracket in the key name"},
    {"Nope", "PlayerName", nullptr},
};

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

TEST(RegistryView, ReadsWineUserRegWithEitherLineEnd)
{
    for (const bool crlf : {false, true}) {
        SCOPED_TRACE(crlf ? "CR LF" : "LF");
        testsupport::TempDir prefix;
        testsupport::WriteBytes(prefix.File("user.reg"), crlf ? WithCrLf(kUserReg) : std::string(kUserReg));
        ScopedEnv env("WINEPREFIX", prefix.Path().c_str());
        const store::RegistryView view;
        for (const ReadCase& c : kCases) {
            SCOPED_TRACE(std::string(c.section) + " / " + c.key);
            EXPECT_EQ(view.ReadString(c.section, c.key, "<default>"), c.expected ? c.expected : "<default>");
        }
    }
}

TEST(RegistryView, RootNamesTheParentKey)
{
    testsupport::TempDir prefix;
    testsupport::WriteBytes(prefix.File("user.reg"), kUserReg);
    ScopedEnv env("WINEPREFIX", prefix.Path().c_str());
    EXPECT_EQ(store::RegistryView("Software\\SAMP").ReadString("Sub", "PlayerName", "-"), "from the subkey");
    EXPECT_EQ(store::RegistryView("Other").ReadString("SAMP", "PlayerName", "-"), "-");
}

TEST(RegistryView, MissingFileReadsAsDefault)
{
    testsupport::TempDir prefix;
    ScopedEnv env("WINEPREFIX", prefix.Path().c_str());
    EXPECT_EQ(store::RegistryView().ReadString("SAMP", "PlayerName", "Не получен"), "Не получен");
}

TEST(RegistryView, WithoutWineprefixUsesTheHomePrefix)
{
    testsupport::TempDir home;
    std::filesystem::create_directory(testsupport::U8Path(home.File(".wine")));
    testsupport::WriteBytes(home.File(".wine/user.reg"), kUserReg);
    ScopedEnv prefix("WINEPREFIX", nullptr);
    ScopedEnv env("HOME", home.Path().c_str());
    EXPECT_EQ(store::RegistryView().ReadString("SAMP", "PlayerName", "-"), "Nick_Name");
}

TEST(RegistryView, EveryReadSeesTheFileAsItIsNow)
{
    testsupport::TempDir prefix;
    ScopedEnv env("WINEPREFIX", prefix.Path().c_str());
    const store::RegistryView view;
    EXPECT_EQ(view.ReadString("SAMP", "PlayerName", "-"), "-");
    testsupport::WriteBytes(prefix.File("user.reg"), kUserReg);
    EXPECT_EQ(view.ReadString("SAMP", "PlayerName", "-"), "Nick_Name");
}

}  // namespace
