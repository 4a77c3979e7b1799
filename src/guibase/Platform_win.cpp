#include "guibase/Platform.h"

#include "hotkeys/PhysicalKeys.h"

#include <QString>
#include <QWidget>
#include <windows.h>
#include <shellapi.h>

namespace platform {

void BeginWindowDrag(QWidget* window)
{
    // SC_MOVE | HTCAPTION: the system moves the window until the button is up.
    ReleaseCapture();
    SendMessageW(reinterpret_cast<HWND>(window->winId()), WM_SYSCOMMAND, 0xF012, 0);
}

bool IsMinimizeCommand(const QByteArray& eventType, void* message)
{
    if (eventType != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSCOMMAND && msg->wParam == SC_MINIMIZE;
}

void CloseOnTerminationRequest(QWidget*)
{
    // Windows asks a window to close with WM_CLOSE, which reaches the close handler anyway.
}

std::optional<std::string> KeyToken(quint32 nativeScanCode, quint32 nativeVirtualKey)
{
    return hotkeys::TokenForWindowsKey(nativeVirtualKey, nativeScanCode);
}

std::vector<std::string> Utf8Arguments(int, char**)
{
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return args;
    for (int i = 0; i < count; ++i) args.push_back(QString::fromWCharArray(wide[i]).toStdString());
    LocalFree(wide);
    return args;
}

void PrintLine(const std::string& utf8, bool error)
{
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    (void)attached;
    HANDLE h = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
    const std::string line = utf8 + "\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(h, &mode)) {
        const std::wstring wide = QString::fromStdString(line).toStdWString();
        WriteConsoleW(h, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}

}  // namespace platform
