#include "binder/Host.h"

#include <sys/inotify.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include "binder/Handshake.h"
#include "binder/Log.h"
#include "companion/Contract.h"
#include "store/ServerPaths.h"

namespace binder {
namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnSignal(int)
{
    g_stop = true;
}

}  // namespace

int RunHost(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("Quorvel.exe for Linux answers the panel's reload requests in Setting.ini and types\n"
                        "nothing: players run the game under Wine with the Windows Quorvel.exe, which does.\n"
                        "Usage: Quorvel.exe [%s]\n", std::string(companion::kStartParameter).c_str());
            return 0;
        }
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    const std::string exeDir = store::ExeDir();
    Log log({}, true);
    log.Line("Quorvel (Linux, handshake only): watching " + store::SettingsFilePath(exeDir));
    // Setting.ini is replaced by a rename: watch the folder, not the file.
    const int notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notify >= 0) inotify_add_watch(notify, exeDir.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE);
    AnswerReload(exeDir, log);
    while (!g_stop) {
        pollfd fd{notify, POLLIN, 0};
        // A folder we cannot watch falls back to looking twenty times a second.
        const int ready = notify >= 0 ? poll(&fd, 1, 3000) : (usleep(50000), 0);
        if (ready > 0) {
            char buffer[4096];
            while (read(notify, buffer, sizeof buffer) > 0) {
            }
        }
        if (!g_stop) AnswerReload(exeDir, log);
    }
    log.Line("Quorvel: stopped");
    if (notify >= 0) close(notify);
    return 0;
}

}  // namespace binder
