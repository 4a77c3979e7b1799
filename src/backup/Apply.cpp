#include "backup/Apply.h"

#include <algorithm>
#include <map>

#include "companion/ProcessList.h"
#include "store/Cp1251.h"
#include "store/Files.h"
#include "store/IniFile.h"

namespace backup {
namespace {

constexpr std::string_view kSettings = "Setting.ini";
constexpr std::string_view kKeyFileTail = "/keycomand.ini";

// Settings files merge key by key; every other file is whole.
bool IsIni(std::string_view path)
{
    return path == kSettings || path.ends_with(kKeyFileTail);
}

std::map<std::string, std::pair<std::string, std::string>> Keys(std::string_view bytes, std::string_view section)
{
    std::map<std::string, std::pair<std::string, std::string>> keys;  // folded -> name, value
    for (auto& [name, value] : store::IniFile::ParseSection(bytes, section)) keys.emplace(store::FoldedUtf8(name), std::pair(name, value));
    return keys;
}

void CompareKeys(int server, const std::string& before, const std::string& after, std::vector<HotkeyChange>& out)
{
    const char* section = server == 0 ? "hotkeys" : "keys";
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
    const Files current = ReadSetup(exeDir, archive.manifest.scope);
    Plan plan;
    for (const auto& [path, bytes] : archive.files) {
        const auto it = current.find(path);
        std::string result = bytes;
        if (mode == Mode::Merge && it != current.end() && IsIni(path))
            result = store::IniFile::MergeInto(it->second, bytes);
        if (it == current.end()) plan.changes.push_back({path, FileChange::Kind::Added});
        else if (it->second != result) plan.changes.push_back({path, FileChange::Kind::Replaced});
        else continue;
        plan.writes.emplace(path, std::move(result));
    }
    if (mode == Mode::Replace) {
        for (const auto& [path, bytes] : current) {
            if (archive.files.count(path)) continue;
            plan.changes.push_back({path, FileChange::Kind::Removed});
            plan.removals.push_back(path);
        }
    }
    std::sort(plan.changes.begin(), plan.changes.end(), [](const auto& x, const auto& y) { return x.path < y.path; });

    for (int server = 0; server <= kServers; ++server) {
        const std::string path = server == 0 ? std::string(kSettings) : "date/rp" + std::to_string(server) + "/keycomand.ini";
        const auto old = current.find(path);
        const std::string before = old == current.end() ? "" : old->second;
        std::string after = before;
        if (const auto w = plan.writes.find(path); w != plan.writes.end()) after = w->second;
        if (std::find(plan.removals.begin(), plan.removals.end(), path) != plan.removals.end()) after.clear();
        if (after != before) CompareKeys(server, before, after, plan.hotkeys);
    }
    return plan;
}

void ApplyPlan(const std::string& exeDir, const Plan& plan, const std::function<void(const std::string&)>& beforeRename)
{
    const std::uint32_t pid = companion::detail::CurrentProcessId();
    struct Step {
        std::string relative;
        std::string target;
        std::string staged;  // the new content; empty for a removal
        std::string saved;   // where the old file waits until the end
        bool placed = false;
    };
    std::vector<Step> steps;
    for (const auto& [path, bytes] : plan.writes) steps.push_back({path, LocalPath(exeDir, path), {}, {}});
    for (const std::string& path : plan.removals) steps.push_back({path, LocalPath(exeDir, path), {}, {}});
    for (const Step& s : steps)
        if (!store::CanReplace(s.target)) throw ApplyError(s.target, "Файл только для чтения или это не файл");

    std::vector<std::string> createdFolders;
    const auto undo = [&] {
        for (auto s = steps.rbegin(); s != steps.rend(); ++s) {
            if (!s->saved.empty()) store::RenameFile(s->saved, s->target);  // puts the old file back over the new
            else if (s->placed) store::RemoveFile(s->target);
            if (!s->staged.empty()) store::RemoveFile(s->staged);
        }
        for (auto f = createdFolders.rbegin(); f != createdFolders.rend(); ++f) store::RemoveFolder(*f);
    };

    try {
        for (Step& s : steps) {
            const auto w = plan.writes.find(s.relative);
            if (w == plan.writes.end()) continue;
            // Folders the archive brings (a server never set up here) are made.
            for (size_t slash = s.relative.find('/'); slash != std::string::npos; slash = s.relative.find('/', slash + 1)) {
                const std::string folder = LocalPath(exeDir, s.relative.substr(0, slash));
                if (store::FolderExists(folder)) continue;
                if (!store::CreateFolder(folder)) throw ApplyError(folder, "Не удалось создать папку");
                createdFolders.push_back(folder);
            }
            s.staged = store::TempPathBeside(s.target, pid);
            if (!store::WriteFileAtomic(s.staged, w->second)) {
                s.staged.clear();
                throw ApplyError(s.target, "Не удалось записать");
            }
        }
        for (Step& s : steps) {
            if (beforeRename) beforeRename(s.relative);
            if (store::FileExists(s.target)) {
                const std::string saved = store::TempPathBeside(s.target, pid);
                if (!store::RenameFile(s.target, saved)) throw ApplyError(s.target, "Не удалось заменить");
                s.saved = saved;
            }
            if (!s.staged.empty()) {
                if (!store::RenameFile(s.staged, s.target)) throw ApplyError(s.target, "Не удалось заменить");
                s.staged.clear();
                s.placed = true;
            }
        }
    } catch (...) {
        undo();
        throw;
    }
    for (const Step& s : steps)
        if (!s.saved.empty()) store::RemoveFile(s.saved);
}

}  // namespace backup
