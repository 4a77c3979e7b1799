#pragma once
// Which stored hotkey an edit is about: a key of Setting.ini [hotkeys] (a
// binder action or a role-play text), a command of the server's
// keycomand.ini [keys], or the binder's chat key ([binder] chat).

#include <string>

#include "hotkeys/Conflicts.h"

struct HotkeyRef {
    hotkeys::HotkeySource source = hotkeys::HotkeySource::Settings;
    // The key as it is written: "key2", "Key37" (the key pages have always
    // written their image's spelling), the command's name, or "chat".
    std::string id;
};
