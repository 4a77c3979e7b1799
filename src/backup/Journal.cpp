#include "backup/Journal.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "backup/Setup.h"
#include "backup/Snapshots.h"
#include "companion/ProcessList.h"
#include "store/Files.h"

namespace backup {
namespace {

constexpr std::string_view kMagic = "quorvel-import-journal 1";

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of("/\\") + 1);
}

// A temp file named in an entry, beside its target; "" stays "".
std::string Beside(const std::string& target, const std::string& name)
{
    return name.empty() ? name : FolderOf(target) + name;
}

std::string ProgramName(unsigned long pid)
{
    const companion::detail::HeldProcess process(static_cast<std::uint32_t>(pid));
    std::string storage;
    return std::string(process.FileName(storage));
}

}  // namespace

std::string JournalPath(const std::string& exeDir)
{
    return SnapshotFolder(exeDir) + "import-journal.txt";
}

bool WriteJournal(const std::string& exeDir, const Journal& journal)
{
    std::ostringstream out;
    out << kMagic << "\n"
        << "pid=" << journal.pid << "\n"
        << "program=" << ProgramName(journal.pid) << "\n"
        << "state=" << (journal.renaming ? "renaming" : "staging") << "\n";
    for (const std::string& f : journal.folders) out << "folder=" << f << "\n";
    for (const Journal::Entry& e : journal.entries)
        if (!e.staged.empty() || !e.kept.empty()) out << "file=" << e.path << "\t" << e.staged << "\t" << e.kept << "\n";
    out << "end\n";
    return store::CreateFolder(SnapshotFolder(exeDir)) && store::WriteFileAtomic(JournalPath(exeDir), out.str());
}

namespace {

struct ReadBack {
    Journal journal;
    std::string program;
};

// Nothing in a journal may point outside the setup: it says what to rename.
ReadBack ParseJournal(const std::string& path, const std::string& text)
{
    const auto damaged = [&] { return std::runtime_error("Журнал импорта повреждён: " + path); };
    const auto isTemp = [](const std::string& name) { return name.empty() || store::TempFileOwner(name).has_value(); };
    ReadBack r;
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kMagic) throw damaged();
    bool ended = false, hasPid = false, hasState = false;
    while (std::getline(in, line)) {
        if (ended) throw damaged();
        if (line == "end") {
            ended = true;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) throw damaged();
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "pid") {
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), r.journal.pid);
            hasPid = error == std::errc() && end == value.data() + value.size();
        } else if (key == "program") {
            r.program = value;
        } else if (key == "state" && (value == "staging" || value == "renaming")) {
            r.journal.renaming = value == "renaming";
            hasState = true;
        } else if (key == "folder") {
            const auto& known = SetupFolders();
            if (std::find(known.begin(), known.end(), value) == known.end()) throw damaged();
            r.journal.folders.push_back(value);
        } else if (key == "file") {
            Journal::Entry e;
            std::istringstream fields(value);
            if (!std::getline(fields, e.path, '\t') || !std::getline(fields, e.staged, '\t')) throw damaged();
            std::getline(fields, e.kept, '\t');
            if (!SetupFileServer(e.path) || !isTemp(e.staged) || !isTemp(e.kept) || (e.staged.empty() && e.kept.empty()))
                throw damaged();
            r.journal.entries.push_back(std::move(e));
        } else {
            throw damaged();
        }
    }
    if (!ended || !hasPid || !hasState) throw damaged();
    return r;
}

std::optional<ReadBack> ReadJournalWithProgram(const std::string& exeDir)
{
    const std::string path = JournalPath(exeDir);
    store::FileContents c = store::ReadWholeFile(path);
    if (c.status == store::ReadStatus::Missing) return std::nullopt;
    if (c.status != store::ReadStatus::Ok) throw std::runtime_error("Не удалось прочитать журнал импорта: " + path);
    return ParseJournal(path, c.bytes);
}

}  // namespace

std::optional<Journal> ReadJournal(const std::string& exeDir)
{
    auto r = ReadJournalWithProgram(exeDir);
    if (!r) return std::nullopt;
    return std::move(r->journal);
}

std::vector<std::string> RollBack(const std::string& exeDir, const Journal& journal, size_t touched)
{
    std::vector<std::string> stuck;
    std::set<std::string> folders;
    for (size_t i = journal.entries.size(); i-- > 0;) {
        const Journal::Entry* e = &journal.entries[i];
        const std::string target = LocalPath(exeDir, e->path);
        const std::string staged = Beside(target, e->staged);
        const std::string kept = Beside(target, e->kept);
        if (journal.renaming && i < touched) {
            bool ok = true;
            if (!kept.empty() && store::FileExists(kept)) {
                // One rename puts the old file back over the new: never a moment without it.
                ok = store::RenameFile(kept, target) == store::RenameResult::Done;
            } else if (kept.empty() && !staged.empty() && !store::FileExists(staged)) {
                // The import added this file and its rename had happened.
                ok = !store::FileExists(target) || store::RemoveFile(target);
            }
            if (!ok) {
                stuck.push_back(target);
                continue;  // its temp files stay for the next try
            }
            folders.insert(FolderOf(target));
        }
        for (const std::string& temp : {staged, kept})
            if (!temp.empty()) store::RemoveFile(temp);  // a link renamed over its own file stays
    }
    for (const std::string& folder : folders) store::SyncFolder(folder);
    if (!stuck.empty()) return stuck;

    // Folders the import made go again, with whatever temp files it left in them.
    for (auto f = journal.folders.rbegin(); f != journal.folders.rend(); ++f) {
        const std::string folder = LocalPath(exeDir, *f);
        for (const std::string& name : store::ListFiles(folder))
            if (store::TempFileOwner(name) == journal.pid) store::RemoveFile(folder + name);
        store::RemoveFolder(folder);
    }
    store::RemoveFile(JournalPath(exeDir));
    store::SyncFolder(SnapshotFolder(exeDir));
    return stuck;
}

Recovery RecoverInterrupted(const std::string& exeDir)
{
    Recovery r;
    std::optional<ReadBack> found;
    try {
        found = ReadJournalWithProgram(exeDir);
    } catch (const std::exception&) {
        r.damaged = true;
        return r;  // its temp copies may be all that is left of the old setup
    }
    const unsigned long self = companion::detail::CurrentProcessId();
    // A panel that is importing right now owns its journal; a reused id
    // belongs to another program.
    if (found && found->journal.pid != self && ProgramName(found->journal.pid) == found->program && !found->program.empty())
        return r;
    if (found) {
        r.stuck = RollBack(exeDir, found->journal);
        if (!r.stuck.empty()) return r;
        r.undone = true;
    }

    std::map<unsigned long, bool> ended;
    std::vector<std::string> folders{exeDir, SnapshotFolder(exeDir)};
    for (const std::string& f : SetupFolders()) folders.push_back(LocalPath(exeDir, f));
    for (const std::string& folder : folders) {
        for (const std::string& name : store::ListFiles(folder)) {
            const auto owner = store::TempFileOwner(name);
            if (!owner) continue;
            const auto [known, fresh] = ended.try_emplace(*owner, false);
            if (fresh) known->second = *owner != self && ProgramName(*owner).empty();
            if (known->second && store::RemoveFile(folder + name)) ++r.tempsRemoved;
        }
    }
    return r;
}

std::string Recovery::Message() const
{
    if (damaged)
        return "Журнал прерванного импорта настроек (папка backup) повреждён: настройки могли остаться "
               "частично заменёнными. Проверьте их или восстановите из копии.";
    if (!stuck.empty()) {
        std::string files;
        for (const std::string& f : stuck) files += (files.empty() ? "" : ", ") + f;
        return "Прерванный импорт настроек отменён не полностью: не удалось вернуть " + files +
               ". Закройте программы, которые держат эти файлы, и запустите панель снова.";
    }
    if (undone) return "Импорт настроек был прерван и отменён: прежние настройки восстановлены.";
    return {};
}

}  // namespace backup
