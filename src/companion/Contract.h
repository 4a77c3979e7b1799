#pragma once
// Names shared with the companion program: its file, its command line and the
// settings keys both sides read and write. UTF-8 throughout.

#include <string_view>

namespace companion {

inline constexpr std::string_view kCompanionExe = "Quorvel.exe";
inline constexpr std::string_view kStartParameter = "-startscript40";
inline constexpr std::string_view kSettingsFile = "Setting.ini";

// Reload flag: the panel writes 1, the companion answers 0 once it has reloaded.
inline constexpr std::string_view kReloadSection = "quorvel";
inline constexpr std::string_view kReloadKey = "од";

inline constexpr std::string_view kGlobalSection = "global";
inline constexpr std::string_view kBadgeKey = "жетон";  // written by the companion only
inline constexpr std::string_view kNickKey = "nick";
inline constexpr std::string_view kServerKey = "server";

// The Cyrillic names must reach the INI layer as UTF-8, whatever the compiler's
// execution character set would otherwise be.
static_assert(kReloadKey.size() == 4 && kBadgeKey.size() == 10, "contract names must be UTF-8");

}  // namespace companion
