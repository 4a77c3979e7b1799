#pragma once
// Names the user types for files of the editors: a command, an article.

#include <string_view>

namespace store {

// True when `utf8` names a plain file inside one folder on every platform
// the program runs on: not blank, no path or wildcard characters, no
// control characters, no blank or dot at either end, no device name, and
// every character one that code page 1251 can hold.
bool IsPlainFileName(std::string_view utf8);

}  // namespace store
