#pragma once
// Hotkey strings: "VK12 & VK46", optionally "~" in front, " " for a disabled
// key. Stored in the settings files and read by the companion, so the split
// below follows the companion's reading exactly, odd inputs included.

#include <string>
#include <string_view>
#include <vector>

namespace hotkeys {

// Zero to three tokens. Everything up to and including the first "~" is
// dropped. Each token is the next four characters; between tokens the text
// is cut just past the first "&" and one more character, or by one character
// when there is no "&". So "VK70" -> {"VK70"} and "VK12VK31" ->
// {"VK12", "K12V", "12VK"}. Characters, not bytes: the text is UTF-8 decoded
// from code page 1251, where every stored byte is one character; a malformed
// UTF-8 byte counts as one character.
std::vector<std::string> SplitHotkey(std::string_view text);

// Tokens joined by " & ", with "~" in front when hook is false. No tokens
// give an empty string (a lone "~" is no hotkey).
std::string ComposeHotkey(const std::vector<std::string>& tokens, bool hook);

// Key captions joined by "+" ("ПКМ+F1"). Unknown tokens show as their raw
// text.
std::string CombinationCaption(const std::vector<std::string>& tokens);

// The caption of the split tokens; "None" when the text holds no token.
std::string HotkeyCaption(std::string_view text);

}  // namespace hotkeys
