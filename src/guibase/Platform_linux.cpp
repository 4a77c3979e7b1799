#include "guibase/Platform.h"

#include "hotkeys/PhysicalKeys.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

int g_signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

void BeginWindowDrag(QWidget* window)
{
    if (QWindow* handle = window->windowHandle()) handle->startSystemMove();
}

bool IsMinimizeCommand(const QByteArray&, void*)
{
    return false;  // minimising arrives as a window-state change instead
}

void CloseOnTerminationRequest(QWidget* mainWindow)
{
    // The handler only writes a byte; the main window closes on the event loop.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [window = QPointer<QWidget>(mainWindow)] {
        char buffer[16];
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], buffer, sizeof buffer);
        if (window) window->close();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
}

std::optional<std::string> KeyToken(quint32 nativeScanCode, quint32 /*nativeVirtualKey*/)
{
    return hotkeys::TokenForX11Keycode(nativeScanCode);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void PrintLine(const std::string& utf8, bool error)
{
    std::FILE* out = error ? stderr : stdout;
    std::fputs((utf8 + "\n").c_str(), out);
    std::fflush(out);
}

}  // namespace platform
