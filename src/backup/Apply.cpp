#include "backup/Apply.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <climits>
#include <cstdint>
#include <map>
#include <set>

#include "backup/IniMerge.h"
#include "backup/Journal.h"
#include "backup/Snapshots.h"
#include "companion/ProcessList.h"
#include "store/Cp1251.h"
#include "store/FolderLock.h"
#include "store/Files.h"
#include "store/IniFile.h"

namespace backup {
namespace {

// Settings files merge key by key; every other file is whole.
bool IsIni(std::string_view path)
{
    return path == store::kSettingsFile ||
           (path.ends_with(store::kKeyFile) && path.size() > store::kKeyFile.size() &&
            path[path.size() - store::kKeyFile.size() - 1] == '/');
}

std::map<std::string, std::pair<std::string, std::string>> Keys(std::string_view bytes, std::string_view section)
{
    std::map<std::string, std::pair<std::string, std::string>> keys;  // folded -> name, value
    for (auto& [name, value] : store::IniFile::ParseSection(bytes, section)) keys.emplace(store::FoldedUtf8(name), std::pair(name, value));
    return keys;
}

void CompareKeys(int server, const std::string& before, const std::string& after, std::vector<HotkeyChange>& out)
{
    const std::string_view section = server == 0 ? store::kHotkeySection : store::kCommandKeySection;
    const auto b = Keys(before, section);
    const auto a = Keys(after, section);
    for (const auto& [folded, entry] : b) {
        const auto it = a.find(folded);
        const std::string now = it == a.end() ? "" : it->second.second;
        if (now != entry.second) out.push_back({server, entry.first, entry.second, now});
    }
    for (const auto& [folded, entry] : a)
        if (!b.count(folded)) out.push_back({server, entry.first, "", entry.second});
}

}  // namespace

Plan MakePlan(const std::string& exeDir, const Archive& archive, Mode mode)
{
    for (const auto& [path, bytes] : archive.files) {
        const std::string local = LocalPath(exeDir, path);
        // A temp file beside it must fit too.
        if (!store::FitsFileSystem(local) || !store::FitsFileSystem(store::TempPathBeside(local, UINT32_MAX)))
            throw ApplyError(local, "Имя слишком длинное для файловой системы");
    }
    const Files current = ReadSetup(exeDir, archive.manifest.scope);
    Plan plan;
    plan.mode = mode;
    for (const auto& [path, bytes] : archive.files) {
        const auto it = current.find(path);
        std::string result = bytes;
        if (mode == Mode::Merge && it != current.end() && IsIni(path))
            result = MergeInto(it->second, bytes);
        if (it == current.end()) plan.changes.push_back({path, FileChange::Kind::Added});
        else if (it->second != result) plan.changes.push_back({path, FileChange::Kind::Replaced});
        else continue;
        if (IsIni(path)) plan.settings[path] = {it == current.end() ? std::nullopt : std::optional(it->second), bytes};
        plan.writes.emplace(path, std::move(result));
    }
    if (mode == Mode::Replace) {
        for (const auto& [path, bytes] : current) {
            if (archive.files.count(path)) continue;
            plan.changes.push_back({path, FileChange::Kind::Removed});
            plan.removals.push_back(path);
            if (IsIni(path)) plan.settings[path] = {bytes, {}};
        }
    }
    std::sort(plan.changes.begin(), plan.changes.end(), [](const auto& x, const auto& y) { return x.path < y.path; });

    for (int server = 0; server <= kServerCount; ++server) {
        const std::string path = server == 0 ? std::string(store::kSettingsFile) : KeyFileOf(server);
        const auto old = current.find(path);
        const std::string before = old == current.end() ? "" : old->second;
        std::string after = before;
        if (const auto w = plan.writes.find(path); w != plan.writes.end()) after = w->second;
        if (std::find(plan.removals.begin(), plan.removals.end(), path) != plan.removals.end()) after.clear();
        if (after != before) CompareKeys(server, before, after, plan.hotkeys);
    }
    return plan;
}

namespace {

// How long another program's writes are merged in before the import gives up.
constexpr std::chrono::seconds kPatience{2};
// Long enough for a writer that read our version while it briefly stood at the
// target to write what it made of it.
constexpr std::chrono::milliseconds kSettle{50};
constexpr const char* kCannotReplace = "Не удалось заменить";
constexpr const char* kCannotWrite = "Не удалось записать";

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of("/\\") + 1);
}

std::string NameOf(const std::string& path)
{
    return path.substr(path.find_last_of("/\\") + 1);
}

class Import {
public:
    Import(const std::string& exeDir, const Plan& plan) : exeDir_(exeDir), plan_(plan)
    {
        journal_.pid = companion::detail::CurrentProcessId();
    }

    void Run(const std::function<void(const std::string&)>& beforeRename)
    {
        Check();
        try {
            Stage();
            Keep();
            journal_.renaming = true;
            if (!WriteJournal(exeDir_, journal_)) throw ApplyError(JournalPath(exeDir_), kCannotWrite);
            for (Journal::Entry& e : journal_.entries) {
                if (beforeRename) beforeRename(e.path);
                Place(e);
            }
            FlushFolders();
        } catch (...) {
            RollBack(exeDir_, journal_, placed_);  // what it cannot put back, the next start will
            throw;
        }
        // Done: from here on a crash leaves the new setup and a few temp files.
        store::RemoveFile(JournalPath(exeDir_));
        store::SyncFolder(SnapshotFolder(exeDir_));
        for (const Journal::Entry& e : journal_.entries)
            for (const std::string& temp : {Temp(e, e.staged), Temp(e, e.kept)})
                if (!temp.empty()) store::RemoveFile(temp);
    }

private:
    std::string Target(const Journal::Entry& e) const { return LocalPath(exeDir_, e.path); }
    std::string Temp(const Journal::Entry& e, const std::string& name) const
    {
        return name.empty() ? name : FolderOf(Target(e)) + name;
    }

    // Everything that can refuse, before anything is written.
    void Check()
    {
        std::vector<std::string> paths;
        for (const auto& [path, bytes] : plan_.writes) paths.push_back(path);
        paths.insert(paths.end(), plan_.removals.begin(), plan_.removals.end());
        for (const std::string& path : paths) {
            const std::string target = LocalPath(exeDir_, path);
            if (!store::CanReplace(target)) throw ApplyError(target, "Файл только для чтения или это не файл");
            journal_.entries.push_back({path, {}, {}});
        }
        if (store::FileExists(JournalPath(exeDir_)))
            throw ApplyError(JournalPath(exeDir_), "Другой импорт не завершён; перезапустите панель");
    }

    // Folders the archive brings (a server never set up here) are made, the
    // journal naming them first; every new content goes to a temp file.
    void Stage()
    {
        for (const auto& [path, bytes] : plan_.writes)
            for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1)) {
                const std::string folder = path.substr(0, slash + 1);
                if (!store::FolderExists(LocalPath(exeDir_, folder)) &&
                    std::find(journal_.folders.begin(), journal_.folders.end(), folder) == journal_.folders.end())
                    journal_.folders.push_back(folder);
            }
        if (!journal_.folders.empty() && !WriteJournal(exeDir_, journal_))
            throw ApplyError(JournalPath(exeDir_), kCannotWrite);
        for (const std::string& folder : journal_.folders)
            if (!store::CreateFolder(LocalPath(exeDir_, folder)))
                throw ApplyError(LocalPath(exeDir_, folder), "Не удалось создать папку");
        for (Journal::Entry& e : journal_.entries) {
            const auto w = plan_.writes.find(e.path);
            if (w == plan_.writes.end()) continue;
            const std::string staged = store::WriteTempBeside(Target(e), w->second);
            if (staged.empty()) throw ApplyError(Target(e), kCannotWrite);
            e.staged = NameOf(staged);
        }
    }

    // The old content of every file stays under a temp name until the end.
    void Keep()
    {
        for (Journal::Entry& e : journal_.entries) {
            if (!store::FileExists(Target(e))) continue;
            const std::string kept = store::TempPathBeside(Target(e), journal_.pid);
            if (!store::KeepCopy(Target(e), kept)) throw ApplyError(Target(e), "Не удалось сохранить прежний файл");
            e.kept = NameOf(kept);
        }
        // A removal of a file already gone has nothing to do.
        std::erase_if(journal_.entries, [](const Journal::Entry& e) { return e.staged.empty() && e.kept.empty(); });
        FlushFolders();
    }

    // Temp files, kept copies and renames made durable, all at once.
    void FlushFolders() const
    {
        std::set<std::string> folders;
        for (const Journal::Entry& e : journal_.entries) folders.insert(FolderOf(Target(e)));
        if (!store::FlushFolders({folders.begin(), folders.end()}))
            throw ApplyError(exeDir_, "Не удалось записать на диск");
    }

    void Place(Journal::Entry& e)
    {
        const auto basis = plan_.settings.find(e.path);
        if (e.staged.empty()) {
            if (basis != plan_.settings.end() && ReadSettings(Target(e)) != basis->second.before)
                throw ApplyError(Target(e), "Файл изменила другая программа; запустите импорт снова");
            if (!store::RemoveFile(Target(e))) throw ApplyError(Target(e), "Не удалось удалить");
            Placed(e, true);
        } else if (basis != plan_.settings.end()) {
            PlaceSettings(e, basis->second);
        } else {
            if (store::RenameFile(Temp(e, e.staged), Target(e)) != store::RenameResult::Done)
                throw ApplyError(Target(e), kCannotReplace);
            Placed(e, true);
        }
    }

    // Whether a rollback must put back the old file of this entry (the ones
    // before it are placed).
    void Placed(const Journal::Entry& e, bool placed)
    {
        placed_ = static_cast<size_t>(&e - journal_.entries.data()) + (placed ? 1 : 0);
    }

    static std::optional<std::string> ReadSettings(const std::string& path)
    {
        store::FileContents c = store::ReadWholeFile(path);
        if (c.status == store::ReadStatus::Failed) throw ApplyError(path, "Не удалось прочитать");
        if (c.status == store::ReadStatus::Missing) return std::nullopt;
        return std::move(c.bytes);
    }

    // The companion rewrites Setting.ini while it runs (read, change a key,
    // rename). The staged file replaces only the version it was made from:
    // where the system can swap two files in one step, what the swap
    // displaced is checked and, when another program came between, put back
    // at once and merged in; elsewhere the check just before the rename is
    // the best there is. Nothing in the loop waits for the disk or makes a
    // new file, so it keeps up with a busy writer.
    void PlaceSettings(Journal::Entry& e, const Plan::Basis& basis)
    {
        const std::string target = Target(e);
        // Our own binder waits meanwhile: only a foreign writer can come between.
        const store::FolderLock lock(target.substr(0, target.find_last_of("/\\") + 1));
        const std::string staged = Temp(e, e.staged);
        std::optional<std::string> expected = basis.before;  // what stands at the target, as far as known
        std::optional<std::string> previous = basis.before;  // the newest version another program wrote
        std::string late;                                     // the keys it wrote since the plan
        std::string ours = plan_.writes.at(e.path);
        const auto absorb = [&](const std::optional<std::string>& found) {
            late = MergeInto(late, ChangedKeys(previous.value_or(""), found.value_or("")));
            previous = found;
            const std::string base =
                plan_.mode == Mode::Merge ? MergeInto(found.value_or(""), basis.incoming) : basis.incoming;
            ours = MergeInto(base, late);
            if (!store::RewriteTemp(staged, ours)) throw ApplyError(target, kCannotWrite);
        };
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < kPatience) {
            const std::optional<std::string> now = ReadSettings(target);
            if (now != expected) {
                absorb(now);
                expected = now;
                if (expected && e.kept.empty()) KeepNewcomer(e);
                continue;
            }
            using store::RenameMode;
            store::RenameResult r = store::RenameFile(staged, target, expected ? RenameMode::Exchange : RenameMode::NoReplace);
            if (r == store::RenameResult::Exists) continue;  // made since the check: merged in next round
            if (r == store::RenameResult::Unsupported) r = store::RenameFile(staged, target);
            if (r != store::RenameResult::Done) throw ApplyError(target, kCannotReplace);
            Placed(e, true);
            if (!expected || !store::FileExists(staged)) return;

            const std::optional<std::string> displaced = ReadSettings(staged);
            if (displaced == expected) {
                // The very version replaced is what a crash now brings back.
                if (!e.kept.empty()) store::RenameFile(staged, Temp(e, e.kept));
                return;
            }
            // Written between the check and the swap: that version goes back at once.
            const std::string put = ours;
            if (store::RenameFile(staged, target, RenameMode::Exchange) != store::RenameResult::Done)
                throw ApplyError(target, kCannotReplace);
            Placed(e, false);
            const std::optional<std::string> back = ReadSettings(staged);
            expected = displaced;
            absorb(displaced);
            if (back != put) absorb(back);  // and one more came between the two swaps
            // Our version lacked the keys just written; a writer that read it
            // in between would put it back without them. Let that write land
            // now, so the next round merges the keys in again.
            std::this_thread::sleep_for(kSettle);
        }
        throw ApplyError(target, "Файл всё время меняет другая программа; импорт отменён");
    }

    // A file another program made after the plan: the journal must name a
    // copy of it before it is replaced.
    void KeepNewcomer(Journal::Entry& e)
    {
        const std::string copy = store::TempPathBeside(Target(e), journal_.pid);
        if (!store::KeepCopy(Target(e), copy)) throw ApplyError(Target(e), "Не удалось сохранить прежний файл");
        e.kept = NameOf(copy);
        FlushFolders();
        if (!WriteJournal(exeDir_, journal_)) throw ApplyError(JournalPath(exeDir_), kCannotWrite);
    }

    const std::string& exeDir_;
    const Plan& plan_;
    Journal journal_;
    size_t placed_ = 0;  // entries whose target a rename may have changed
};

}  // namespace

void ApplyPlan(const std::string& exeDir, const Plan& plan, const std::function<void(const std::string&)>& beforeRename)
{
    Import(exeDir, plan).Run(beforeRename);
}

}  // namespace backup
