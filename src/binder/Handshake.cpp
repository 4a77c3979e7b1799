#include "binder/Handshake.h"

#include "binder/Badge.h"
#include "binder/Log.h"
#include "companion/Contract.h"
#include "store/IniFile.h"
#include "store/RegistryView.h"
#include "store/ServerPaths.h"

namespace binder {

bool AnswerReload(const std::string& exeDir, Log& log)
{
    using namespace companion;
    static bool reportedFailure = false;
    store::IniFile settings(store::SettingsFilePath(exeDir));
    if (settings.ReadInteger(kReloadSection, kReloadKey, 0) != 1) return false;
    // Without a stored nick, the one the game client keeps, as the panel shows it.
    const store::RegistryView registry;
    const std::string nick =
        settings.ReadString(kGlobalSection, kNickKey, registry.ReadString("SAMP", "PlayerName", ""));
    const std::string badge = BadgeFor(nick);
    try {
        // Badge first: by the time the flag reads 0 the badge is there.
        settings.WriteString(kGlobalSection, kBadgeKey, badge);
        settings.WriteInteger(kReloadSection, kReloadKey, 0);
    } catch (const store::WriteError& e) {
        if (!reportedFailure) log.Line(std::string("Не удалось ответить панели: ") + e.what());
        reportedFailure = true;
        return false;
    }
    reportedFailure = false;
    log.Line("Панель попросила перечитать настройки: ник \"" + nick + "\", жетон " + badge);
    return true;
}

}  // namespace binder
