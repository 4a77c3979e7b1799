#pragma once
// The setup on disk, named once: the files and folders the panel and the
// binder share beside the executable, the number of servers, and the INI
// sections of the settings files. Everything that builds a path or reads a
// section spells them from here. UTF-8.

#include <string_view>

namespace store {

inline constexpr int kServerCount = 4;  // servers 1 to 4: "rp1" … "rp4"

inline constexpr std::string_view kSettingsFile = "Setting.ini";
inline constexpr std::string_view kRolePlayFolder = "отыгровки";  // + "/rpN"
inline constexpr std::string_view kServerFolderPrefix = "rp";
inline constexpr std::string_view kCommandsFolder = "команды";    // inside a server's role-play folder
inline constexpr std::string_view kCommandExtension = ".lcb";
inline constexpr std::string_view kDataFolder = "date";           // + "/rpN"
inline constexpr std::string_view kKeyFile = "keycomand.ini";     // inside a server's data folder
inline constexpr std::string_view kArticlesFolder = "статьи";     // inside a server's data folder
inline constexpr std::string_view kBackupFolder = "backup";

// Sections of Setting.ini, and of keycomand.ini.
inline constexpr std::string_view kGlobalSection = "global";    // the profile, the server, the badge
inline constexpr std::string_view kOptionSection = "setting";   // the script options
inline constexpr std::string_view kHotkeySection = "hotkeys";   // key1 … key65
inline constexpr std::string_view kReloadSection = "quorvel";   // the reload handshake
inline constexpr std::string_view kBinderSection = "binder";    // the binder's chat key and pause
inline constexpr std::string_view kCommandKeySection = "keys";  // keycomand.ini: command = hotkey

}  // namespace store
