// Setup archives: byte-exact round trips, merge and replace, hostile
// archives, all-or-nothing applying, and the automatic snapshots.

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <map>

#include "TestSupport.h"
#include "backup/Apply.h"
#include "backup/Archive.h"
#include "backup/Journal.h"
#include "backup/Snapshots.h"
#include "companion/ProcessList.h"
#include "store/Cp1251.h"

namespace {

namespace fs = std::filesystem;
using backup::Archive;
using backup::ArchiveError;
using backup::Mode;
using testsupport::TempDir;

using Tree = std::map<std::string, std::string>;  // "/"-separated relative path -> bytes

// The panel's own folder aside (snapshots, the journal); what it holds counts.
Tree ReadTree(const std::string& dir)
{
    return testsupport::ReadTree(dir, [](const std::string& path) { return path == "backup"; });
}

void Put(const TempDir& dir, const std::string& relative, const std::string& utf8)
{
    const std::string path = dir.File(testsupport::NativeSeparators(relative));
    fs::create_directories(testsupport::U8Path(path).parent_path());
    testsupport::WriteBytes(path, store::Utf8ToCp1251(utf8));
}

// A setup with every kind of file, Cyrillic names and contents in 1251.
void FullSetup(const TempDir& dir)
{
    Put(dir, "Setting.ini", "[global]\r\nnick=Иван_Петров\r\n[hotkeys]\r\nkey37=VK70\r\n");
    for (int n = 1; n <= 4; ++n) {
        const std::string rp = "rp" + std::to_string(n);
        Put(dir, "отыгровки/" + rp + "/штраф.txt", "/me достал бланк\r\n/do Бланк №" + std::to_string(n));
        Put(dir, "отыгровки/" + rp + "/команды/арест.lcb", "/me надел наручники\r\n");
        Put(dir, "date/" + rp + "/keycomand.ini", "[keys]\r\nарест=VK12 & VK31\r\n");
        Put(dir, "date/" + rp + "/статьи/12.1.uk", "Статья 12.1\r\n");
    }
    Put(dir, "отыгровки/rp1/notes.doc", "not ours");  // left out: not a setup file
}

Archive Collect(const TempDir& dir, backup::Scope scope = {})
{
    return backup::Collect(dir.Path(), scope, "2026-12-10 08:30:00");
}

TEST(Backup, ARoundTripIsByteExactWithUtf8FlaggedNames)
{
    TempDir from, to;
    FullSetup(from);
    const std::string zip = backup::Pack(Collect(from));
    const Archive back = backup::Unpack(zip);
    EXPECT_EQ(back.files.size(), 1u + 4 * 4);
    EXPECT_EQ(back.manifest.created, "2026-12-10 08:30:00");

    // Every local header of a non-ASCII name carries the UTF-8 flag (bit 11).
    for (size_t at = zip.find("PK\x03\x04"); at != std::string::npos; at = zip.find("PK\x03\x04", at + 4)) {
        const unsigned flags = static_cast<unsigned char>(zip[at + 6]) | static_cast<unsigned char>(zip[at + 7]) << 8;
        const unsigned nameLength = static_cast<unsigned char>(zip[at + 26]) | static_cast<unsigned char>(zip[at + 27]) << 8;
        const std::string name = zip.substr(at + 30, nameLength);
        if (std::any_of(name.begin(), name.end(), [](char c) { return c & 0x80; })) {
            EXPECT_TRUE(flags & 0x800) << name;
        }
    }

    backup::ApplyPlan(to.Path(), backup::MakePlan(to.Path(), back, Mode::Replace));
    Tree expected = ReadTree(from.Path());
    expected.erase("отыгровки/rp1/notes.doc");
    EXPECT_EQ(ReadTree(to.Path()), expected);
}

TEST(Backup, SetupFilesAreWhatTheEditorsList)
{
    // The editors' masks ignore case, so a backup must too; anything else stays out.
    const std::vector<std::pair<const char*, int>> cases = {
        {"Setting.ini", 0},
        {"отыгровки/rp1/штраф.txt", 1},
        {"отыгровки/rp1/команды/ОБЫСК.LCB", 1},
        {"date/rp2/keycomand.ini", 2},
        {"date/rp3/статьи/5.1.AK", 3},
        {"date/rp4/статьи/Пример.pdd", 4},
        {"отыгровки/rp5/штраф.txt", -1},
        {"отыгровки/rp1/.hidden.txt", -1},
        {"отыгровки/rp1/con.txt", -1},
        {"date/rp1/статьи/notes.doc", -1},
        {"setting.ini", -1},
    };
    for (const auto& [path, server] : cases)
        EXPECT_EQ(backup::SetupFileServer(path).value_or(-1), server) << path;
}

TEST(Backup, MergeKeepsWhatTheArchiveLacksAndReplaceDoesNot)
{
    TempDir source;
    Put(source, "Setting.ini", "[hotkeys]\r\nkey37=VK72\r\n");
    Put(source, "отыгровки/rp1/a.txt", "new");
    Put(source, "отыгровки/rp1/c.txt", "added");
    const Archive archive = Collect(source, {true, {1}});

    for (const Mode mode : {Mode::Merge, Mode::Replace}) {
        TempDir dir;
        Put(dir, "Setting.ini", "[global]\r\nnick=Ivan\r\n[hotkeys]\r\nkey37=VK70\r\nkey40=VK71\r\n");
        Put(dir, "отыгровки/rp1/a.txt", "old");
        Put(dir, "отыгровки/rp1/b.txt", "keep");
        Put(dir, "отыгровки/rp2/z.txt", "other server");
        const backup::Plan plan = backup::MakePlan(dir.Path(), archive, mode);
        backup::ApplyPlan(dir.Path(), plan);
        const Tree tree = ReadTree(dir.Path());
        const bool merge = mode == Mode::Merge;
        EXPECT_EQ(tree.at("Setting.ini"), merge ? "[global]\r\nnick=Ivan\r\n[hotkeys]\r\nkey37=VK72\r\nkey40=VK71\r\n"
                                                : "[hotkeys]\r\nkey37=VK72\r\n");
        EXPECT_EQ(tree.at("отыгровки/rp1/a.txt"), "new");
        EXPECT_EQ(tree.at("отыгровки/rp1/c.txt"), "added");
        EXPECT_EQ(tree.count("отыгровки/rp1/b.txt"), merge ? 1u : 0u);
        EXPECT_EQ(tree.at("отыгровки/rp2/z.txt"), "other server");  // outside the archive's servers

        std::vector<std::string> hotkeys;
        for (const auto& h : plan.hotkeys) hotkeys.push_back(h.key + ":" + h.before + ">" + h.after);
        const std::vector<std::string> expected =
            merge ? std::vector<std::string>{"key37:VK70>VK72"} : std::vector<std::string>{"key37:VK70>VK72", "key40:VK71>"};
        EXPECT_EQ(hotkeys, expected);
        EXPECT_EQ(plan.changes.size(), merge ? 3u : 4u);  // Setting.ini, a.txt, c.txt (+ b.txt removed)
    }
}

// Archives made by hand with libzip, to say what ours never would.
std::string HandMade(const std::map<std::string, std::string>& entries, const std::string& manifestFiles,
                     const char* linkName = nullptr)
{
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_source_keep(target);
    zip_t* z = zip_open_from_source(target, ZIP_TRUNCATE, nullptr);
    std::vector<std::string> keep;
    keep.reserve(entries.size() + 1);
    const auto add = [&](const std::string& name, const std::string& bytes) {
        if (name.ends_with('/')) {
            zip_dir_add(z, name.c_str(), ZIP_FL_ENC_UTF_8);
            return;
        }
        keep.push_back(bytes);
        const zip_int64_t i =
            zip_file_add(z, name.c_str(), zip_source_buffer(z, keep.back().data(), keep.back().size(), 0), ZIP_FL_ENC_UTF_8);
        if (linkName && name == linkName) zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, 0120777u << 16);
    };
    add("quorvel-setup.txt", "format=1\nsettings=1\nservers=1,2,3,4\n" + manifestFiles);
    for (const auto& [name, bytes] : entries) add(name, bytes);
    zip_close(z);
    zip_source_open(target);
    std::string out;
    char buffer[4096];
    for (zip_int64_t n; (n = zip_source_read(target, buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(n));
    zip_source_close(target);
    zip_source_free(target);
    return out;
}

struct HostileCase {
    const char* name;
    std::function<std::string()> bytes;
    const char* says;  // part of the refusal
};

class HostileArchives : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileArchives, AreRefusedBeforeAnythingIsWritten)
{
    TempDir dir;
    FullSetup(dir);
    const Tree before = ReadTree(dir.Path());
    testsupport::WriteBytes(dir.File("in.zip"), GetParam().bytes());
    try {
        const Archive a = backup::ReadArchive(dir.File("in.zip"));
        backup::ApplyPlan(dir.Path(), backup::MakePlan(dir.Path(), a, Mode::Replace));
        ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {  // the archive's refusal, or the plan's
        EXPECT_NE(std::string(e.what()).find(GetParam().says), std::string::npos) << e.what();
    }
    fs::remove(testsupport::U8Path(dir.File("in.zip")));
    EXPECT_EQ(ReadTree(dir.Path()), before);
}

std::string Valid()
{
    TempDir d;
    FullSetup(d);
    return backup::Pack(Collect(d));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileArchives,
    ::testing::Values(
        HostileCase{"Traversal", [] { return HandMade({{"отыгровки/rp1/../../x.txt", "x"}}, "file=отыгровки/rp1/../../x.txt\n"); }, "недопустимый путь"},
        HostileCase{"Absolute", [] { return HandMade({{"/etc/Setting.ini", "x"}}, ""); }, "недопустимый путь"},
        HostileCase{"DriveLetter", [] { return HandMade({{"C:/Setting.ini", "x"}}, ""); }, "недопустимый путь"},
        HostileCase{"Backslashes", [] { return HandMade({{"отыгровки\\rp1\\x.txt", "x"}}, ""); }, "недопустимый путь"},
        HostileCase{"DeviceName", [] { return HandMade({{"отыгровки/rp1/con.txt", "x"}}, ""); }, "недопустимый путь"},
        HostileCase{"Link", [] { return HandMade({{"отыгровки/rp1/a.txt", "/etc/passwd"}}, "file=отыгровки/rp1/a.txt\n", "отыгровки/rp1/a.txt"); }, "ссылку"},
        HostileCase{"Duplicate", [] { return HandMade({{"отыгровки/rp1/A.txt", "1"}, {"отыгровки/rp1/a.txt", "2"}}, ""); }, "дважды"},
        HostileCase{"NotInManifest", [] { return HandMade({{"отыгровки/rp1/a.txt", "1"}}, ""); }, "нет в описи"},
        HostileCase{"ManifestNamesMissing", [] { return HandMade({}, "file=Setting.ini\n"); }, "нет файла"},
        HostileCase{"Bomb", [] { return HandMade({{"отыгровки/rp1/a.txt", std::string(101u << 20, '\0')}}, "file=отыгровки/rp1/a.txt\n"); }, "100 МБ"},
        HostileCase{"Truncated", [] { const std::string z = Valid(); return z.substr(0, z.size() / 2); }, "повреждён"},
        HostileCase{"NotAZip", [] { return std::string("Setting.ini\r\n"); }, "повреждён"},
        HostileCase{"FolderTraversal", [] { return HandMade({{"отыгровки/", ""}, {"../../x/", ""}}, ""); }, "недопустимый путь"},
        HostileCase{"FolderAbsolute", [] { return HandMade({{"/tmp/x/", ""}}, ""); }, "недопустимый путь"},
        HostileCase{"FolderDrive", [] { return HandMade({{"C:/x/", ""}}, ""); }, "недопустимый путь"},
        HostileCase{"DigestDiffers", [] { return HandMade({{"Setting.ini", "[a]\r\n"}}, "file=Setting.ini\ndigest=0123456789abcdef\n"); }, "не сходятся"},
        HostileCase{"NameTooLong", [] { Archive a; a.files["отыгровки/rp1/" + std::string(300, 'a') + ".txt"] = "x"; return backup::Pack(a); }, "слишком длинное"},
        HostileCase{"NoManifest", [] { std::string z = HandMade({}, ""); const size_t at = z.find("quorvel-setup.txt"); z[at] = 'Q'; return z; }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Backup, TheSetupsOwnFolderEntriesPass)
{
    const backup::Files files{{"отыгровки/rp1/a.txt", "x"}};
    const Archive a = backup::Unpack(HandMade({{"отыгровки/", ""}, {"отыгровки/rp1/", ""}, {"отыгровки/rp1/a.txt", "x"}},
                                              "file=отыгровки/rp1/a.txt\ndigest=" + backup::Digest(files) + "\n"));
    EXPECT_EQ(a.files, files);
}

// A failure before any file is replaced puts everything back at once; a
// crash there (the folder copied as it stood) is put back by the next start.
TEST(Backup, AFailureOrACrashAtAnyRenameLeavesTheOldSetup)
{
    TempDir source;
    Put(source, "Setting.ini", "[global]\r\nnick=New\r\n");
    Put(source, "отыгровки/rp1/штраф.txt", "changed");
    Put(source, "отыгровки/rp2/новый.txt", "a server never set up here");
    const Archive archive = Collect(source, {true, {1, 2}});
    int checked = 0;
    for (int at = 1, renames = 0; renames >= at - 1; ++at) {
        for (const bool crash : {false, true}) {
            SCOPED_TRACE((crash ? "crash before rename " : "failure at rename ") + std::to_string(at));
            TempDir dir, copy;
            Put(dir, "Setting.ini", "[global]\r\nnick=Old\r\n");
            Put(dir, "отыгровки/rp1/штраф.txt", "old text");
            Put(dir, "отыгровки/rp1/old.txt", "to be removed");
            const Tree before = ReadTree(dir.Path());
            renames = 0;
            try {
                backup::ApplyPlan(dir.Path(), backup::MakePlan(dir.Path(), archive, Mode::Replace), [&](const std::string&) {
                    if (++renames < at) return;
                    if (crash) fs::copy(testsupport::U8Path(dir.Path()).parent_path(), testsupport::U8Path(copy.File("setup")),
                                        fs::copy_options::recursive);
                    throw backup::ApplyError("x", "injected");
                });
            } catch (const backup::ApplyError&) {
            }
            if (renames < at) break;  // past the last rename
            ++checked;
            if (crash) {
                const std::string setup = copy.File("setup") + testsupport::NativeSeparators("/");
                const backup::Recovery r = backup::RecoverInterrupted(setup);
                EXPECT_TRUE(r.undone);
                EXPECT_EQ(ReadTree(setup), before);
            } else {
                EXPECT_EQ(ReadTree(dir.Path()), before);
            }
        }
    }
    EXPECT_EQ(checked, 2 * 4);  // Setting.ini, a changed text, a new one, a removal
}

TEST(Backup, RecoveryRemovesTheTempFilesOfEndedProcessesOnly)
{
    TempDir dir;
    const std::string self = std::to_string(companion::detail::CurrentProcessId());
    const std::vector<std::string> gone = {".quorvel-save-4000000000-1.tmp", "отыгровки/rp1/.quorvel-save-4000000000-2.tmp",
                                           "backup/.quorvel-save-4000000000-3.tmp"};
    const std::vector<std::string> stay = {".quorvel-save-" + self + "-1.tmp", ".quorvel-save-x-1.tmp", "Setting.ini",
                                           "отыгровки/rp1/штраф.txt"};
    for (const auto& list : {gone, stay})
        for (const std::string& f : list) Put(dir, f, "x");
    const backup::Recovery r = backup::RecoverInterrupted(dir.Path());
    EXPECT_EQ(r.tempsRemoved, 3);
    EXPECT_FALSE(r.undone);
    EXPECT_EQ(r.Message(), "");
    for (const std::string& f : gone) EXPECT_FALSE(testsupport::Exists(dir.File(testsupport::NativeSeparators(f)))) << f;
    for (const std::string& f : stay) EXPECT_TRUE(testsupport::Exists(dir.File(testsupport::NativeSeparators(f)))) << f;
}

// A journal says what to rename: one that is damaged or points anywhere but
// at setup files and temp files is left alone, and so is everything else.
TEST(Backup, ARecoveryTrustsNoJournalThatPointsOutsideTheSetup)
{
    const std::string head = "quorvel-import-journal 1\npid=4000000000\nprogram=gone\nstate=renaming\n";
    const std::vector<std::string> journals = {
        "garbage",
        head + "file=../../x.txt\t.quorvel-save-1-1.tmp\t.quorvel-save-1-2.tmp\nend\n",
        head + "file=Setting.ini\t\tштраф.txt\nend\n",
        head + "folder=/etc/\nend\n",
        head + "file=Setting.ini\t.quorvel-save-1-1.tmp\t.quorvel-save-1-2.tmp\n",  // no end: cut short
    };
    for (const std::string& journal : journals) {
        TempDir dir;
        Put(dir, "Setting.ini", "current");
        Put(dir, "штраф.txt", "not a setup file");
        Put(dir, ".quorvel-save-1-2.tmp", "a temp file");
        Put(dir, "backup/import-journal.txt", journal);
        const Tree before = ReadTree(dir.Path());
        const backup::Recovery r = backup::RecoverInterrupted(dir.Path());
        EXPECT_TRUE(r.damaged) << journal;
        EXPECT_NE(r.Message(), "");
        EXPECT_EQ(ReadTree(dir.Path()), before) << journal;
    }
}

TEST(Backup, SnapshotsSkipAnUnchangedSetupAndKeepTheNewest)
{
    TempDir dir;
    FullSetup(dir);
    const auto snapshot = [&](int second) {
        const std::string s = std::to_string(second);
        return backup::WriteSnapshot(dir.Path(), backup::Collect(dir.Path(), {}, "10.12.2026 08:00:0" + s),
                                     "20261210-08000" + s, 3);
    };
    ASSERT_TRUE(snapshot(0));
    EXPECT_FALSE(snapshot(1));  // nothing changed
    for (int i = 2; i <= 5; ++i) {
        Put(dir, "отыгровки/rp1/штраф.txt", "version " + std::to_string(i));
        ASSERT_TRUE(snapshot(i));
    }
    const auto list = backup::ListSnapshots(dir.Path());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].created, "10.12.2026 08:00:05");
    EXPECT_EQ(list[2].created, "10.12.2026 08:00:03");
    EXPECT_EQ(backup::ReadArchive(list[0].path).files.at("отыгровки/rp1/штраф.txt"), "version 5");
}

}  // namespace
