// map_watch <window name> <settled window name> <program> [args...]
// Starts the program and prints, on one line, the milliseconds from the start
// to the moment the X server maps its window named <window name>, and the
// program's resident kilobytes one second after its window named <settled
// window name> is mapped too; then ends the program. The X server's own map
// notice is waited for, so nothing polls and the figure is the server's.
// Exit 1 when a window never came (30 s) or the program ended first.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::string WindowName(Display* display, Window window)
{
    XTextProperty property;
    std::string name;
    if (XGetWMName(display, window, &property) && property.value != nullptr) {
        name.assign(reinterpret_cast<const char*>(property.value), property.nitems);
        XFree(property.value);
    }
    return name;
}

// Waits until a window called `name` is mapped; false after 30 s or when the program ended.
bool WaitForMap(Display* display, const std::string& name, pid_t child)
{
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    const int fd = ConnectionNumber(display);
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && WindowName(display, event.xmap.window) == name) return true;
            // The name may come after the map; a later property change names it.
            if (event.type == CreateNotify)
                XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask | StructureNotifyMask);
        }
        if (waitpid(child, nullptr, WNOHANG) == child) return false;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 50);
    }
    return false;
}

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: map_watch <window name> <settled window name> <program> [args...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }
    const bool shown = WaitForMap(display, argv[1], child);
    const auto shownAt = Clock::now();
    const bool settled = shown && (std::string(argv[1]) == argv[2] || WaitForMap(display, argv[2], child));
    if (settled) std::this_thread::sleep_for(std::chrono::seconds(1));
    const long kb = settled ? ResidentKb(child) : -1;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!settled) return 1;
    std::printf("%lld %ld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(shownAt - start).count()), kb);
    return 0;
}
