#pragma once
// The two answers to text that code page 1251 cannot hold, shared by every
// editor: a text may be saved with "?" in place of those characters once the
// player agrees; a value typed into the settings is refused.

class QString;
class QWidget;

namespace prompts {

// True when `text` holds only characters 1251 can store, or the player agreed
// to have the others stored as "?".
bool ConfirmCp1251(QWidget* parent, const QString& text);
// True, after a message, when `value` holds characters 1251 cannot store and
// must not be stored.
bool RefuseUnsupported(QWidget* parent, const QString& value);

}  // namespace prompts
