#pragma once
// A setup: every file the binder reads, by its path relative to the program
// folder ("отыгровки/rp1/штраф.txt": "/" between parts, UTF-8), with its bytes.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/SetupLayout.h"

namespace backup {

using store::kServerCount;

// Whether a relative path names a file of the setup: 0 for Setting.ini, the
// server (1..4) for its texts, commands, key file and articles; nullopt for
// anything else (other names, "..", absolute paths, drive letters, device
// names, hidden files). Archives are checked with this too.
std::optional<int> SetupFileServer(std::string_view relativePath);

// "date/rpN/keycomand.ini": the server's command key file, relative.
std::string KeyFileOf(int server);

// The folders of one server's files, and all the folders setup files live
// in, outer before inner; each relative, with its trailing "/".
std::vector<std::string> ServerFolders(int server);
const std::vector<std::string>& SetupFolders();

// The path on this system: the program folder (with its trailing separator)
// and the relative path with the platform's separator.
std::string LocalPath(const std::string& exeDir, std::string_view relativePath);

using Files = std::map<std::string, std::string>;  // relative path -> bytes

struct Scope {
    bool settings = true;                // Setting.ini
    std::vector<int> servers{1, 2, 3, 4};
    bool Holds(int server) const;        // 0: Setting.ini
};

// The setup files of the scope that exist now. Throws std::runtime_error
// naming a file that exists but cannot be read.
Files ReadSetup(const std::string& exeDir, const Scope& scope);

// A fingerprint of paths and bytes (FNV-1a, 16 hex digits).
std::string Digest(const Files& files);

}  // namespace backup
