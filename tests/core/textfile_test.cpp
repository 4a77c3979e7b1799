#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>

#include "TestSupport.h"
#include "store/Cp1251.h"
#include "store/Files.h"
#include "store/TextFile.h"

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

template <class Info>
std::string CaseName(const Info& info)
{
    std::string n = info.param.name;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

struct BreakCase {
    const char* name;
    const char* in;
    const char* out;
};
void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

const BreakCase kBreakCases[] = {
    {"no breaks", "abc", "abc"},
    {"empty", "", ""},
    {"crlf kept", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"lone lf", "a\nb\n", "a\r\nb\r\n"},
    {"lone cr", "a\rb\r", "a\r\nb\r\n"},
    {"lf cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
    {"cr cr lf", "a\r\r\nb", "a\r\n\r\nb"},
    {"break first", "\nx", "\r\nx"},
    {"mixed", "1\r\n2\n3\r4", "1\r\n2\r\n3\r\n4"},
};

class LineBreaks : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, LoneCrOrLfBecomesCrLf)
{
    EXPECT_EQ(store::NormalizeLineBreaks(GetParam().in), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(TextFile, LineBreaks, ::testing::ValuesIn(kBreakCases),
                         CaseName<::testing::TestParamInfo<BreakCase>>);

class TextFile : public ::testing::Test {
protected:
    TempDir dir_;
};

TEST_F(TextFile, ReadsCp1251AsUtf8WithBreaksNormalized)
{
    const std::string path = dir_.File("штраф.txt");
    WriteBytes(path, store::Utf8ToCp1251("Привет\nмир\r\n/me"));
    EXPECT_EQ(store::ReadTextFile(path), "Привет\r\nмир\r\n/me");
    EXPECT_EQ(ReadBytes(path), store::Utf8ToCp1251("Привет\nмир\r\n/me")) << "reading changes nothing on disk";
}

TEST_F(TextFile, MissingFileOrAFolderInItsPlaceReadsAsNothing)
{
    EXPECT_FALSE(store::ReadTextFile(dir_.File("none.txt")));
    EXPECT_FALSE(store::ReadTextFile(dir_.File("no-folder/none.txt")));
    std::filesystem::create_directory(testsupport::U8Path(dir_.File("dir.txt")));
    EXPECT_FALSE(store::ReadTextFile(dir_.File("dir.txt")));
}

TEST_F(TextFile, WritesExactlyTheTextIn1251)
{
    const std::string path = dir_.File("a.lcb");
    store::WriteTextFile(path, "Строка 1\r\nСтрока 2");
    EXPECT_EQ(ReadBytes(path), store::Utf8ToCp1251("Строка 1\r\nСтрока 2")) << "no break added at the end";
    store::WriteTextFile(path, "x");
    EXPECT_EQ(ReadBytes(path), "x") << "replaced whole";
    store::WriteTextFile(path, "€ 😀");
    EXPECT_EQ(ReadBytes(path), "\x88 ?") << "what 1251 lacks is stored as '?'";
}

TEST_F(TextFile, EveryByteSurvivesAReadAndAWrite)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    const std::string path = dir_.File("all.txt");
    WriteBytes(path, all);
    store::WriteTextFile(path, *store::ReadTextFile(path));
    EXPECT_EQ(ReadBytes(path), all);
}

TEST_F(TextFile, CreateMakesAnEmptyFileAndDeleteRemovesIt)
{
    const std::string path = dir_.File("new.lcb");
    store::CreateEmptyFile(path);
    EXPECT_EQ(ReadBytes(path), "");
    store::DeleteTextFile(path);
    EXPECT_FALSE(testsupport::Exists(path));
}

struct FailureCase {
    const char* name;
    std::string (*prepare)(const TempDir&);  // the path to act on
    void (*act)(const std::string&);
    const char* message;  // after the path
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase kFailures[] = {
    {"write into a missing folder", [](const TempDir& d) { return d.File("gone/a.txt"); },
     [](const std::string& p) { store::WriteTextFile(p, "text"); },
     "Cannot create file \"%\". The system cannot find the path specified."},
    {"write over a read-only file",
     [](const TempDir& d) {
         WriteBytes(d.File("ro.txt"), "old");
         std::filesystem::permissions(testsupport::U8Path(d.File("ro.txt")), std::filesystem::perms::owner_read |
                                                                                 std::filesystem::perms::group_read);
         return d.File("ro.txt");
     },
     [](const std::string& p) { store::WriteTextFile(p, "new"); }, "Cannot create file \"%\". Access is denied."},
    {"write over a folder",
     [](const TempDir& d) {
         std::filesystem::create_directory(testsupport::U8Path(d.File("dir.txt")));
         return d.File("dir.txt");
     },
     [](const std::string& p) { store::WriteTextFile(p, "new"); }, "Cannot create file \"%\". Access is denied."},
    {"create in a missing folder", [](const TempDir& d) { return d.File("gone/a.lcb"); },
     [](const std::string& p) { store::CreateEmptyFile(p); },
     "Cannot create file \"%\". The system cannot find the path specified."},
    {"delete a missing file", [](const TempDir& d) { return d.File("none.lcb"); },
     [](const std::string& p) { store::DeleteTextFile(p); },
     "Cannot delete file \"%\". The system cannot find the file specified."},
    {"open a missing folder", [](const TempDir& d) { return d.File("команды"); },
     [](const std::string& p) { store::RequireFolder(p); },
     "Cannot open folder \"%\". The system cannot find the path specified."},
};

class TextFileFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TextFileFailure, ThrowsWithPathAndReasonAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = GetParam().prepare(dir);
    const bool existed = testsupport::Exists(path);
    const std::string before = existed && !std::filesystem::is_directory(testsupport::U8Path(path)) ? ReadBytes(path) : "";
    std::string expected = GetParam().message;
    expected.replace(expected.find('%'), 1, path);
    try {
        GetParam().act(path);
        FAIL() << "no error";
    } catch (const store::FileError& e) {
        EXPECT_EQ(e.what(), expected);
        EXPECT_EQ(e.Path(), path);
    }
    EXPECT_EQ(testsupport::Exists(path), existed);
    if (!before.empty()) {
        EXPECT_EQ(ReadBytes(path), before);
    }
    // No temp file is left behind.
    const auto folder = testsupport::U8Path(dir.Path());
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++entries;
    EXPECT_LE(entries, 1);
}
INSTANTIATE_TEST_SUITE_P(TextFile, TextFileFailure, ::testing::ValuesIn(kFailures),
                         CaseName<::testing::TestParamInfo<FailureCase>>);

// '*' only, ASCII case aside: the editors' list masks.
bool MaskMatches(std::string_view mask, std::string_view name)
{
    if (mask.empty()) return name.empty();
    if (mask[0] == '*') return MaskMatches(mask.substr(1), name) || (!name.empty() && MaskMatches(mask, name.substr(1)));
    return !name.empty() && std::tolower(static_cast<unsigned char>(mask[0])) ==
                                std::tolower(static_cast<unsigned char>(name[0])) &&
           MaskMatches(mask.substr(1), name.substr(1));
}

TEST(AtomicWrite, TempFileShowsInNoEditorList)
{
    const char* const masks[] = {"*.lcb*", "*.txt", "*.us*", "*.ak*", "*.uk*", "*.pdd*"};
    TempDir dir;
    for (const char* target : {"приказ.lcb", "rp1.txt", "устав.us", "кодекс.ak2", "ук.uk", "пдд.pdd"}) {
        const std::string path = dir.File(target);
        const std::string temp = store::TempPathBeside(path, 4242);
        const std::size_t cut = temp.find_last_of("/\\");
        ASSERT_EQ(temp.substr(0, cut), path.substr(0, path.find_last_of("/\\"))) << "not beside the file";
        for (const char* mask : masks) EXPECT_FALSE(MaskMatches(mask, temp.substr(cut + 1))) << temp << " " << mask;
    }
}

}  // namespace
