// Stand-in for the real binder Quorvel.exe. It types nothing: it only honours
// the file contract with the panel, so the panel can be run and tested end to
// end. While it runs it watches Setting.ini beside itself; when the panel asks
// for a reload ([quorvel] од = 1) it hands back a badge number in
// [global] жетон and clears the flag. The badge follows [global] nick, or the
// game client's nick in the registry when none is stored.

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <string_view>
#include <thread>

#include "binder/Badge.h"
#include "binder/StandinLog.h"
#include "companion/Contract.h"
#include "store/IniFile.h"
#include "store/RegistryView.h"
#include "store/ServerPaths.h"

namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnSignal(int)
{
    g_stop = true;
}

constexpr auto kPollInterval = std::chrono::milliseconds(50);

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            LogLine("Quorvel.exe stand-in: answers the panel's reload requests in Setting.ini.\n"
                    "Usage: Quorvel.exe " + std::string(companion::kStartParameter));
            return 0;
        }
    }

    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    using namespace companion;
    const std::string settingsPath = store::SettingsFilePath(store::ExeDir());
    store::IniFile settings(settingsPath);
    const store::RegistryView registry;
    LogLine("Quorvel stand-in: watching " + settingsPath);

    bool reportedFailure = false;
    while (!g_stop) {
        if (settings.ReadInteger(kReloadSection, kReloadKey, 0) == 1) {
            // Without a stored nick, the one the game client keeps, as the panel shows it.
            const std::string nick = settings.ReadString(kGlobalSection, kNickKey,
                                                         registry.ReadString("SAMP", "PlayerName", ""));
            const std::string badge = binder::BadgeFor(nick);
            try {
                // Badge first: by the time the flag reads 0 the badge is there.
                settings.WriteString(kGlobalSection, kBadgeKey, badge);
                settings.WriteInteger(kReloadSection, kReloadKey, 0);
                LogLine("handshake: nick \"" + nick + "\" -> badge " + badge);
                reportedFailure = false;
            } catch (const store::WriteError& e) {
                if (!reportedFailure) LogLine(std::string("Quorvel stand-in: ") + e.what(), true);
                reportedFailure = true;  // once, not twenty times a second
            }
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    LogLine("Quorvel stand-in: stopped");
    return 0;
}
