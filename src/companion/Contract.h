#pragma once
// Names shared with the companion program: its file, its command line and the
// settings keys both sides read and write. UTF-8 throughout.

#include <string_view>

#include "store/SetupLayout.h"

namespace companion {

inline constexpr std::string_view kCompanionExe = "Quorvel.exe";
inline constexpr std::string_view kStartParameter = "-startscript40";

// Reload flag: the panel writes 1, the companion answers 0 once it has reloaded.
using store::kBinderSection;
using store::kCommandKeySection;
using store::kGlobalSection;
using store::kHotkeySection;
using store::kOptionSection;
using store::kReloadSection;
inline constexpr std::string_view kReloadKey = "од";

inline constexpr std::string_view kBadgeKey = "жетон";  // written by the companion only
inline constexpr std::string_view kNickKey = "nick";
inline constexpr std::string_view kServerKey = "server";

// One value of Setting.ini with the default every read passes while it is
// absent (defaults are never written).
struct Setting {
    std::string_view section;
    std::string_view key;
    std::string_view fallback;
};

// Shown, while none is stored, as the game client's nick: the panel's read supplies that.
inline constexpr Setting kNick{kGlobalSection, kNickKey, ""};
inline constexpr Setting kRank{kGlobalSection, "звание", "Рядовой"};
inline constexpr Setting kDepartment{kGlobalSection, "департамент", "LSPD"};
inline constexpr Setting kCallSign{kGlobalSection, "тег", "PA"};
inline constexpr Setting kExtraTag{kGlobalSection, "доптег", "null"};  // "null": none
inline constexpr Setting kGender{kGlobalSection, "пол", "Мужской"};
// The home page shows "Не получен" until the companion wrote one; the
// handshake's message shows "Не установлен".
inline constexpr std::string_view kFemale = "Женский";  // [global] пол

inline constexpr Setting kBadge{kGlobalSection, kBadgeKey, "Не получен"};
inline constexpr std::string_view kBadgeAfterSync = "Не установлен";
inline constexpr Setting kServer{kGlobalSection, kServerKey, "1"};
inline constexpr Setting kReload{kReloadSection, kReloadKey, "0"};

// The binder's own settings: the key that opens the game's chat line (a key
// token) and the milliseconds between two messages.
inline constexpr Setting kChatKey{kBinderSection, "chat", "VK54"};
inline constexpr Setting kPause{kBinderSection, "pause", "1200"};
inline constexpr int kMinPauseMs = 300;
inline constexpr int kMaxPauseMs = 10000;

// The five script options and the mention switch: "1" on (the default), "0" off.
inline constexpr Setting kOptions[] = {
    {kOptionSection, "autogun", "1"}, {kOptionSection, "autodock", "1"}, {kOptionSection, "autotime", "1"},
    {kOptionSection, "pred", "1"},    {kOptionSection, "погоня", "1"},   {kOptionSection, "упоминание", "1"},
};

// The Cyrillic names must reach the INI layer as UTF-8, whatever the compiler's
// execution character set would otherwise be.
static_assert(kReloadKey.size() == 4 && kBadgeKey.size() == 10, "contract names must be UTF-8");

}  // namespace companion
