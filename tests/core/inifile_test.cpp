#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "backup/IniMerge.h"
#include "store/Cp1251.h"
#include "store/Files.h"
#include "store/IniFile.h"

using store::IniFile;
using store::Utf8ToCp1251;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

struct ReadCase {
    const char* name;
    const char* file;  // UTF-8 here, 1251 on disk
    const char* section;
    const char* key;
    const char* expected;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

// A test name from a case's label: its letters and digits, '_' for the rest.
const auto kCaseName = [](const auto& info) {
    std::string n;
    for (const char* p = info.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
};

const ReadCase kReadCases[] = {
    {"missing key gives default", "[a]\r\nk=1\r\n", "a", "x", "<def>"},
    {"missing section gives default", "[a]\r\nk=1\r\n", "b", "k", "<def>"},
    {"empty value is not the default", "[a]\r\nk=\r\n", "a", "k", ""},
    {"single blank reads empty", "[a]\r\nk= \r\n", "a", "k", ""},
    {"blanks around value dropped", "[a]\r\nk = \t value \x1A\r\n", "a", "k", "value"},
    {"inner blanks kept", "[hotkeys]\r\nkey14=VK12 & VK31\r\n", "hotkeys", "key14", "VK12 & VK31"},
    {"double quotes removed", "[a]\r\nk=\" x \"\r\n", "a", "k", " x "},
    {"single quotes removed", "[a]\r\nk='x'\r\n", "a", "k", "x"},
    {"unmatched quotes kept", "[a]\r\nk=\"x'\r\n", "a", "k", "\"x'"},
    {"lone quote kept", "[a]\r\nk=\"\r\n", "a", "k", "\""},
    {"only one pair removed", "[a]\r\nk=\"\"x\"\"\r\n", "a", "k", "\"x\""},
    {"value may hold =", "[a]\r\nk=a=b\r\n", "a", "k", "a=b"},
    {"ASCII case ignored", "[Global]\r\nNICK=A\r\n", "global", "nick", "A"},
    {"Cyrillic case ignored", "[GLOBAL]\r\nЖЕТОН=5\r\n", "global", "жетон", "5"},
    {"Cyrillic Ё folds", "[Ё]\r\nЁЖ=1\r\n", "ё", "ёж", "1"},
    {"first section wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "a", "j", "<def>"},
    {"first key wins", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
    {"key without = reads default", "[a]\r\nk\r\n", "a", "k", "<def>"},
    {"semicolon lines are plain keys", "[a]\r\n;k=1\r\n", "a", ";k", "1"},
    {"lines before first header are nameless", "k=1\r\n[a]\r\n", "a", "k", "<def>"},
    {"header trimmed", "  [ a ]  \r\nk=1\r\n", "a", "k", "1"},
    {"header name up to last ]", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
    {"text after ] ignored", "[a] junk\r\nk=1\r\n", "a", "k", "1"},
    {"header without ]", "[a\r\nk=1\r\n", "a", "k", "1"},
    {"lone CR breaks lines", "[a]\rk=1\rj=2", "a", "j", "2"},
    {"LF breaks lines", "[a]\nk=1\n\n\nj=2\n", "a", "j", "2"},
    {"indented key", "[a]\r\n   k=1\r\n", "a", "k", "1"},
    {"key name trimmed", "[a]\r\n k \t=1\r\n", "a", "k", "1"},
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsLikeTheProfileFunctions)
{
    const ReadCase& c = GetParam();
    TempDir dir;
    WriteBytes(dir.File("t.ini"), Utf8ToCp1251(c.file));
    IniFile ini(dir.File("t.ini"));
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<def>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniReadTest, ::testing::ValuesIn(kReadCases), kCaseName);

TEST(IniRead, MissingFileGivesDefaults)
{
    TempDir dir;
    IniFile ini(dir.File("Setting.ini"));
    EXPECT_EQ(ini.ReadString("global", "nick", "Нет ника"), "Нет ника");
    EXPECT_EQ(ini.ReadInteger("global", "server", 1), 1);
    EXPECT_FALSE(testsupport::Exists(dir.File("Setting.ini")));
}

TEST(IniRead, LongValueIsCutTo2047Characters)
{
    TempDir dir;
    const std::string longValue(5000, 'x');
    WriteBytes(dir.File("t.ini"), "[a]\r\nk=\"" + longValue + "\"\r\n");
    IniFile ini(dir.File("t.ini"));
    EXPECT_EQ(ini.ReadString("a", "k", ""), std::string(2047, 'x'));
}

TEST(IniRead, CyrillicComesBackAsUtf8)
{
    TempDir dir;
    WriteBytes(dir.File("t.ini"), "[global]\r\n\xE7\xE2\xE0\xED\xE8\xE5=\xCA\xE0\xEF\xE8\xF2\xE0\xED\r\n");
    IniFile ini(dir.File("t.ini"));
    EXPECT_EQ(ini.ReadString("global", "звание", ""), "Капитан");
}

TEST(IniRead, SectionListsWhatReadsWouldGive)
{
    TempDir dir;
    // A duplicate (any case) and a first line without "=" hide later lines;
    // values come trimmed and unquoted, Cyrillic names as UTF-8.
    WriteBytes(dir.File("t.ini"), Utf8ToCp1251("k=0\r\n[keys]\r\nарест = \"~VK12 & VK46\" \r\n"
                                               "АРЕСТ=VK70\r\nbare\r\nbare=VK71\r\n; c=1\r\nempty=\r\n[next]\r\nz=1\r\n"));
    const IniFile ini(dir.File("t.ini"));
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ini.ReadSection("KEYS"), (Pairs{{"арест", "~VK12 & VK46"}, {"; c", "1"}, {"empty", ""}}));
    EXPECT_EQ(ini.ReadSection(""), (Pairs{{"k", "0"}}));
    EXPECT_TRUE(ini.ReadSection("none").empty());
}

struct IntCase {
    const char* stored;
    int expected;
};
void PrintTo(const IntCase& c, std::ostream* os) { *os << '"' << c.stored << '"'; }

class IniIntegerTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(IniIntegerTest, ParsesTheIntegerRule)
{
    TempDir dir;
    WriteBytes(dir.File("t.ini"), std::string("[global]\r\nserver=") + GetParam().stored + "\r\n");
    IniFile ini(dir.File("t.ini"));
    EXPECT_EQ(ini.ReadInteger("global", "server", 77), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Rules, IniIntegerTest,
                         ::testing::Values(IntCase{"1", 1}, IntCase{"-3", -3}, IntCase{"+5", 5},
                                           IntCase{"7", 7}, IntCase{"0x2", 2}, IntCase{"0X1f", 31},
                                           IntCase{"$2", 2}, IntCase{"$ff", 255}, IntCase{"-$2", -2},
                                           IntCase{"$FFFFFFFF", -1}, IntCase{"2147483647", 2147483647},
                                           IntCase{"-2147483648", -2147483647 - 1},
                                           IntCase{"2147483648", 77}, IntCase{"$100000000", 77},
                                           IntCase{"abc", 77}, IntCase{"", 77}, IntCase{"0x", 77},
                                           IntCase{"$", 77}, IntCase{"-", 77}, IntCase{"1.5", 77},
                                           IntCase{"12abc", 77}, IntCase{"1 2", 77}, IntCase{" 7 ", 7},
                                           IntCase{"'5'", 5}, IntCase{"0x-1", 77}, IntCase{"00012", 12}));

struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* section;
    const char* key;
    const char* value;  // nullptr: delete the key
    const char* after;  // nullptr: no file
};
void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }


const WriteCase kWriteCases[] = {
    {"first write creates the file", nullptr, "global", "nick", "Вася", "[global]\r\nnick=Вася\r\n"},
    {"replaced in place with its spelling", "[Global]\r\nNICK = old \r\nx=1\r\n", "global", "nick", "new",
     "[Global]\r\nNICK=new\r\nx=1\r\n"},
    {"existing key does not move", "[a]\r\nk=1\r\nj=2\r\nm=3\r\n", "A", "J", "9", "[a]\r\nk=1\r\nj=9\r\nm=3\r\n"},
    {"new key after the section's last key", "[a]\r\nk=1\r\n\r\n[b]\r\nz=2\r\n", "a", "j", "5",
     "[a]\r\nk=1\r\nj=5\r\n\r\n[b]\r\nz=2\r\n"},
    {"new key after header of an empty section", "[a]\r\n[b]\r\nz=2\r\n", "a", "k", "1",
     "[a]\r\nk=1\r\n[b]\r\nz=2\r\n"},
    {"new key when last line lacks a break", "[a]\r\nk=1", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
    {"new key under a lone header", "[a]", "a", "k", "1", "[a]\r\nk=1\r\n"},
    {"new section at the end", "[a]\r\nk=1\r\n", "b", "x", "1", "[a]\r\nk=1\r\n[b]\r\nx=1\r\n"},
    {"new section adds the missing final break", "[a]\r\nk=1", "b", "x", "1", "[a]\r\nk=1\r\n[b]\r\nx=1\r\n"},
    {"new section into an empty file", "", "b", "x", "1", "[b]\r\nx=1\r\n"},
    {"LF file keeps its breaks", "[a]\nk=1\n", "a", "j", "2", "[a]\nk=1\nj=2\r\n"},
    {"other bytes stay", "; top\r\n[a]\r\n  odd line\r\nk=1\r\n\r\n; end", "a", "k", "2",
     "; top\r\n[a]\r\n  odd line\r\nk=2\r\n\r\n; end"},
    {"Cyrillic names in 1251", "[quorvel]\r\nод=0\r\n", "QUORVEL", "ОД", "1", "[quorvel]\r\nод=1\r\n"},
    {"line breaks in a value become blanks", "", "a", "k", "x\r\n[evil]\ny=1", "[a]\r\nk=x  [evil] y=1\r\n"},
    {"line breaks in a key become blanks", "", "a", "k\nz", "1", "[a]\r\nk z=1\r\n"},
    {"unmappable characters become ?", "", "a", "k", "日本", "[a]\r\nk=??\r\n"},
    {"single blank is written as is", "", "hotkeys", "key46", " ", "[hotkeys]\r\nkey46= \r\n"},
    {"first of duplicate sections written", "[a]\r\nk=1\r\n[a]\r\nk=2\r\n", "a", "k", "3",
     "[a]\r\nk=3\r\n[a]\r\nk=2\r\n"},
    {"delete removes the line and its break", "[keys]\r\nA=VK70\r\nB=VK71\r\n", "keys", "a", nullptr,
     "[keys]\r\nB=VK71\r\n"},
    {"delete of the last unterminated line", "[keys]\r\nA=VK70\r\nB=VK71", "keys", "b", nullptr,
     "[keys]\r\nA=VK70\r\n"},
    {"delete of a missing key changes nothing", "[keys]\r\nA=1\r\n", "keys", "zz", nullptr, "[keys]\r\nA=1\r\n"},
    {"delete never creates the file", nullptr, "keys", "a", nullptr, nullptr},
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, WritesByteExact)
{
    const WriteCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File("t.ini");
    if (c.before) WriteBytes(path, Utf8ToCp1251(c.before));
    IniFile ini(path);
    if (c.value) ini.WriteString(c.section, c.key, c.value);
    else ini.DeleteKey(c.section, c.key);
    if (c.after) {
        EXPECT_EQ(ReadBytes(path), Utf8ToCp1251(c.after));
    } else {
        EXPECT_FALSE(testsupport::Exists(path));
    }
    EXPECT_EQ(store::ListFiles(dir.Path()).size(), c.after ? 1u : 0u) << "a temp file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, IniWriteTest, ::testing::ValuesIn(kWriteCases), kCaseName);

// MergeInto writes every incoming key as WriteString would, in one pass: the
// cases where a pass over the base could part from key-by-key writing.
struct MergeCase {
    const char* name;
    const char* base;
    const char* incoming;
    const char* merged;
};
void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.name; }

const MergeCase kMergeCases[] = {
    {"a key written twice keeps the last value", "[a]\r\nk=1\r\n", "[a]\r\nk=2\r\nK=3\r\n", "[a]\r\nk=3\r\n"},
    {"a new key written twice is added once", "[a]\r\n", "[a]\r\nj=1\r\nJ=2", "[a]\r\nj=2\r\n"},
    {"new keys follow the last line, in order", "[a]\r\nk=1\r\n\r\n[b]\r\nz=2\r\n", "[b]\r\ny=1\r\n[a]\r\nj=5\r\nm=6\r\n",
     "[a]\r\nk=1\r\nj=5\r\nm=6\r\n\r\n[b]\r\nz=2\r\ny=1\r\n"},
    {"one break when a new section came first", "[a]\r\nk=1", "[b]\r\nx=1\r\n[a]\r\nj=2\r\n",
     "[a]\r\nk=1\r\nj=2\r\n[b]\r\nx=1\r\n"},
    {"a new section gathers its keys under its first spelling", "[a]\r\n", "[New]\r\nx=1\r\n[c]\r\ny=1\r\n[NEW]\r\nz=2\r\n",
     "[a]\r\n[New]\r\nx=1\r\nz=2\r\n[c]\r\ny=1\r\n"},
    {"only the first of duplicate sections", "[a]\r\nk=1\r\n[b]\r\n[A]\r\nj=2\r\n", "[a]\r\nj=9\r\n",
     "[a]\r\nk=1\r\nj=9\r\n[b]\r\n[A]\r\nj=2\r\n"},
    {"[] names the nameless section", "[a]\r\nk=1\r\n", "n=1\r\n[]\r\nm=2\r\n", "n=1\r\nm=2\r\n[a]\r\nk=1\r\n"},
    {"a bare line is the key", "[a]\r\n  k  \r\n", "[a]\r\nK=2", "[a]\r\nk=2\r\n"},
    {"a replaced last line without a break", "[a]\r\nk=1", "[a]\r\nk=\r\n[b]\r\nx=1", "[a]\r\nk=\r\n[b]\r\nx=1\r\n"},
    {"Cyrillic names fold", "[Ключи]\r\nАРЕСТ=1\r\n", "[ключи]\r\nарест=2\r\nобыск=3\r\n", "[Ключи]\r\nАРЕСТ=2\r\nобыск=3\r\n"},
    {"nameless keys start the file", "\r\n\r\n[a]", "n=1", "n=1\r\n\r\n\r\n[a]"},
    {"incoming lines without = are skipped", "[a]\r\nbare=1\r\n", "[a]\r\nbare\r\nk=2", "[a]\r\nbare=1\r\nk=2\r\n"},
    {"values keep their quotes, LF files their breaks", "[a]\nk=1\n[b]\n", "[b]\ny=\"2\"\n[a]\nk=1\n", "[a]\nk=1\n[b]\ny=\"2\"\r\n"},
};

class IniMergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(IniMergeTest, MergesAsKeyByKeyWrites)
{
    const MergeCase& c = GetParam();
    EXPECT_EQ(backup::MergeInto(Utf8ToCp1251(c.base), Utf8ToCp1251(c.incoming)), Utf8ToCp1251(c.merged));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, IniMergeTest, ::testing::ValuesIn(kMergeCases), kCaseName);

TEST(IniMerge, ChangedKeysAreWhatAnotherWriterChanged)
{
    // Its answer merged into the old file gives the new file's values back.
    const std::string before = Utf8ToCp1251("n=0\r\n[global]\r\nжетон=1\r\nnick=A\r\n[quorvel]\r\nод=1\r\n[hotkeys]\r\nkey1=VK70\r\n");
    const std::string after = Utf8ToCp1251("n=1\r\n[GLOBAL]\r\nЖЕТОН=2\r\nnick = A \r\n[quorvel]\r\nод=0\r\nnew=5\r\n"
                                           "[Global]\r\nnick=shadowed\r\n");
    EXPECT_EQ(backup::ChangedKeys(before, after), Utf8ToCp1251("n=1\r\n[GLOBAL]\r\nЖЕТОН=2\r\n[quorvel]\r\nод=0\r\nnew=5\r\n"));
    EXPECT_EQ(backup::ChangedKeys(after, after), "");
}

TEST(IniWrite, RoundTripsWhatItWrites)
{
    TempDir dir;
    IniFile ini(dir.File("Setting.ini"));
    ini.WriteString("global", "звание", "Капитан");
    ini.WriteInteger("global", "server", -3);
    ini.WriteString("hotkeys", "Key37", "~VK02 & VK70");
    EXPECT_EQ(ini.ReadString("global", "звание", ""), "Капитан");
    EXPECT_EQ(ini.ReadInteger("global", "server", 1), -3);
    EXPECT_EQ(ini.ReadString("hotkeys", "key37", ""), "~VK02 & VK70");
    EXPECT_EQ(ReadBytes(dir.File("Setting.ini")),
              Utf8ToCp1251("[global]\r\nзвание=Капитан\r\nserver=-3\r\n[hotkeys]\r\nKey37=~VK02 & VK70\r\n"));
}

// Two views over one file stand for the panel and the companion: each must see
// the other's writes at its very next read, also within the same second.
TEST(IniSharing, EachSideSeesTheOthersNextWrite)
{
    TempDir dir;
    IniFile panel(dir.File("Setting.ini"));
    IniFile companion(dir.File("Setting.ini"));
    for (int i = 0; i < 20; ++i) {
        panel.WriteInteger("quorvel", "од", 1);
        ASSERT_EQ(companion.ReadInteger("quorvel", "од", -1), 1) << i;
        companion.WriteInteger("quorvel", "од", 0);
        ASSERT_EQ(panel.ReadInteger("quorvel", "од", -1), 0) << i;
    }
}

// An in-place rewrite keeps the file's identity; with the same size and the
// same time stamp only the settling rule can tell the versions apart.
TEST(IniSharing, SeesAnInPlaceRewriteThatKeepsSizeAndTime)
{
    TempDir dir;
    const std::string path = dir.File("Setting.ini");
    WriteBytes(path, "[quorvel]\r\nod=1\r\n");
    IniFile ini(path);
    ASSERT_EQ(ini.ReadInteger("quorvel", "od", -1), 1);
    const auto stamp = std::filesystem::last_write_time(testsupport::U8Path(path));
    WriteBytes(path, "[quorvel]\r\nod=0\r\n");
    std::filesystem::last_write_time(testsupport::U8Path(path), stamp);
    EXPECT_EQ(ini.ReadInteger("quorvel", "od", -1), 0);
}

TEST(IniSharing, SettledCopyIsReusedUntilTheFileChanges)
{
    TempDir dir;
    const std::string path = dir.File("Setting.ini");
    WriteBytes(path, "[a]\r\nk=1\r\n");
    testsupport::AgeFile(path, 10);
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
    WriteBytes(path, "[a]\r\nk=22\r\n");  // new size and time
    EXPECT_EQ(ini.ReadString("a", "k", ""), "22");
}

TEST(IniFailure, MissingFolderRaisesAndCreatesNothing)
{
    TempDir dir;
    const std::string path = dir.Path() + "date" + store::PathSeparator() + "rp1" + store::PathSeparator() +
                             "keycomand.ini";
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("keys", "a", "none"), "none");
    try {
        ini.WriteString("keys", "a", "VK70");
        FAIL() << "no error";
    } catch (const store::WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_TRUE(store::ListFiles(dir.Path()).empty());
}

TEST(IniFailure, ReadOnlyFileIsLeftByteForByte)
{
    TempDir dir;
    const std::string path = dir.File("Setting.ini");
    const std::string original = "; mine\r\n[global]\r\nnick=A\r\n";
    WriteBytes(path, original);
    std::filesystem::permissions(testsupport::U8Path(path), std::filesystem::perms::owner_read |
                                                                std::filesystem::perms::group_read |
                                                                std::filesystem::perms::others_read);
    IniFile ini(path);
    EXPECT_THROW(ini.WriteString("global", "nick", "B"), store::WriteError);
    EXPECT_THROW(ini.DeleteKey("global", "nick"), store::WriteError);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(ini.ReadString("global", "nick", ""), "A");
    EXPECT_EQ(store::ListFiles(dir.Path()).size(), 1u);
}

TEST(IniFailure, FolderInPlaceOfTheFileRaises)
{
    TempDir dir;
    std::filesystem::create_directory(testsupport::U8Path(dir.File("Setting.ini")));
    IniFile ini(dir.File("Setting.ini"));
    EXPECT_EQ(ini.ReadString("a", "k", "d"), "d");
    EXPECT_THROW(ini.WriteString("a", "k", "v"), store::WriteError);
}

TEST(IniFailure, UnchangedValueIsNotRewritten)
{
    TempDir dir;
    const std::string path = dir.File("Setting.ini");
    WriteBytes(path, "[quorvel]\r\nod=1\r\n");
    testsupport::AgeFile(path, 10);
    const auto before = std::filesystem::last_write_time(testsupport::U8Path(path));
    IniFile ini(path);
    ini.WriteInteger("quorvel", "od", 1);
    EXPECT_EQ(std::filesystem::last_write_time(testsupport::U8Path(path)), before);
}

}  // namespace
