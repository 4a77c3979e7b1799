#pragma once
// Who else holds a hotkey, for the places that show keys: the map is read
// from the store each time (it is cheap), so it never lags behind a write.

#include <QColor>
#include <QString>

#include "hotkeys/Conflicts.h"

class QLabel;
struct SharedState;

namespace conflicts {

// The map of the settings file and the current server's command file.
hotkeys::ConflictMap Current(SharedState& state);

// The tooltip naming what else a holder's combination reaches, or "" when
// nothing: other holders, and the system's own combinations.
QString Describe(const hotkeys::ConflictMap& map, const hotkeys::HotkeyHolder* holder);

// A key label in the alert colour with that tooltip while there is one, in
// `normal` without a tooltip otherwise.
void Mark(QLabel* label, const QString& description, const QColor& normal);

}  // namespace conflicts
