#include "guibase/Platform.h"

#include "hotkeys/PhysicalKeys.h"

#include <QWidget>
#include <windows.h>

namespace platform {

void DeclareDpiAware()
{
    // Looked up at run time: systems before Vista lack it.
    using SetAware = BOOL(WINAPI*)();
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        if (auto fn = reinterpret_cast<SetAware>(
                reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")))) {
            fn();
        }
    }
}

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

}  // namespace platform
