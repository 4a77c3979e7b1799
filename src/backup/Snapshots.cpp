#include "backup/Snapshots.h"

#include <algorithm>

#include "backup/Archive.h"
#include "store/Files.h"

namespace backup {
namespace {

constexpr std::string_view kPrefix = "snapshot-";
constexpr std::string_view kSuffix = ".zip";

// Snapshot names sort by time: "snapshot-20261210-083000.zip", newest last.
std::vector<std::string> SnapshotNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (std::string& name : store::ListFiles(folder))
        if (name.starts_with(kPrefix) && name.ends_with(kSuffix)) names.push_back(std::move(name));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string SnapshotFolder(const std::string& exeDir)
{
    return exeDir + std::string(store::kBackupFolder) + store::PathSeparator();
}

std::vector<SnapshotInfo> ListSnapshots(const std::string& exeDir)
{
    const std::string folder = SnapshotFolder(exeDir);
    std::vector<SnapshotInfo> out;
    const std::vector<std::string> names = SnapshotNames(folder);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        const std::string path = folder + *name;
        const auto manifest = PeekManifest(path);
        if (!manifest) continue;
        out.push_back({path, manifest->created, store::StatFile(path).size});
    }
    return out;
}

std::optional<std::string> WriteSnapshot(const std::string& exeDir, const Archive& a, const std::string& stamp, int keep)
{
    const std::string digest = Digest(a.files);

    const std::string folder = SnapshotFolder(exeDir);
    std::vector<std::string> names = SnapshotNames(folder);
    if (!names.empty()) {
        const auto newest = PeekManifest(folder + names.back());
        if (newest && newest->digest == digest) return std::nullopt;
    }
    if (!store::CreateFolder(folder)) throw ArchiveError("Unable to write to " + folder);
    std::string name = std::string(kPrefix) + stamp + std::string(kSuffix);
    for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n)
        name = std::string(kPrefix) + stamp + "_" + std::to_string(n) + std::string(kSuffix);  // sorts after
    WriteArchive(folder + name, a);

    names.push_back(name);
    std::sort(names.begin(), names.end());
    for (size_t i = 0; i + static_cast<size_t>(keep) < names.size(); ++i) store::RemoveFile(folder + names[i]);
    return folder + name;
}

}  // namespace backup
