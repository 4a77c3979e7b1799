#pragma once
// Automatic copies of the whole setup in "backup" beside the executable: one
// at each start unless nothing changed since the newest, the 20 newest kept.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace backup {

inline constexpr int kKeptSnapshots = 20;

std::string SnapshotFolder(const std::string& exeDir);  // with its trailing separator

struct SnapshotInfo {
    std::string path;
    std::string created;  // from its manifest
    std::uint64_t size = 0;
};

// Newest first; files that are no readable snapshot are left out.
std::vector<SnapshotInfo> ListSnapshots(const std::string& exeDir);

struct Archive;

// Writes the whole setup `setup` (from Collect) as "snapshot-<stamp>.zip"
// (stamp "20261210-083000") unless the newest snapshot holds the same files,
// then removes all but the `keep` newest. The path written, or nullopt when
// nothing changed. Throws ArchiveError when it cannot write.
std::optional<std::string> WriteSnapshot(const std::string& exeDir, const Archive& setup, const std::string& stamp,
                                         int keep = kKeptSnapshots);

}  // namespace backup
