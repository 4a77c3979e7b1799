#pragma once
// How the places that show a hotkey tell of a clash: the label turns the
// alert colour and its tooltip names the others.

#include <QColor>
#include <QString>

#include "hotkeys/Conflicts.h"

class QLabel;

namespace conflicts {

// The tooltip naming what else a holder's combination reaches, or "" when
// nothing: other holders, and the system's own combinations.
QString Describe(const hotkeys::ConflictMap& map, const hotkeys::HotkeyHolder* holder);

// A key label in the alert colour with that tooltip while there is one, in
// `normal` without a tooltip otherwise.
void Mark(QLabel* label, const QString& description, const QColor& normal);

}  // namespace conflicts
