#pragma once
// The few window-system calls the panel needs beyond Qt. One source per platform.

#include <QByteArray>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace platform {

// Starts moving the window with the pointer, as a drag of its title bar would.
void BeginWindowDrag(QWidget* window);

// True for the system's "minimise" command (nativeEvent's message), which the
// main window turns into hiding to the tray.
bool IsMinimizeCommand(const QByteArray& eventType, void* message);

// A request from outside to end the run (on Linux SIGTERM, SIGINT, SIGHUP)
// closes `mainWindow`, so the companion is stopped as on any close.
void CloseOnTerminationRequest(QWidget* mainWindow);

// The picker's token of a pressed key, from the native codes of its key event
// (by the key's place, whatever the layout); nullopt for a key not offered.
std::optional<std::string> KeyToken(quint32 nativeScanCode, quint32 nativeVirtualKey);

// The command line in UTF-8; on Windows read from the wide command line, so
// a path in any script survives whatever the system's code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// One line for whoever started the panel from a console (stderr when
// `error`). A GUI-subsystem program on Windows first attaches to its
// parent's console; output redirected to a file or pipe gets UTF-8.
void PrintLine(const std::string& utf8, bool error);

}  // namespace platform
