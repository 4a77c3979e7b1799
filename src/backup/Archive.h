#pragma once
// Setup archives: a standard zip of setup files, byte for byte, under their
// relative paths (UTF-8 names, the zip's UTF-8 flag set), plus a manifest.
// Reading trusts nothing: every name, size and count is checked before a
// single byte is handed out.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "backup/Setup.h"

namespace backup {

inline constexpr std::string_view kManifestName = "quorvel-setup.txt";
inline constexpr std::uint64_t kMaxArchiveBytes = 100ull * 1024 * 1024;
inline constexpr std::uint64_t kMaxEntries = 10000;

struct Manifest {
    int format = 1;
    std::string program;  // the panel's version
    std::string created;  // "2026-12-10 08:30:00", local time
    Scope scope;
    std::string digest;   // Digest() of the files, as read; packing writes the files' own
};

struct Archive {
    Manifest manifest;
    Files files;
};

// Why an archive was refused, for the player.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The panel's version, as archives record it.
std::string ProgramVersion();

// The setup files of the scope as they are now. Throws std::runtime_error
// naming a file that exists but cannot be read.
Archive Collect(const std::string& exeDir, const Scope& scope, const std::string& created);

std::string Pack(const Archive& archive);         // the zip's bytes
Archive Unpack(std::string_view zipBytes);        // throws ArchiveError

// From and to files; writing is atomic. Both throw ArchiveError.
Archive ReadArchive(const std::string& path);
void WriteArchive(const std::string& path, const Archive& archive);
// Only the manifest, for lists of snapshots; nullopt for anything unreadable.
std::optional<Manifest> PeekManifest(const std::string& path);

}  // namespace backup
