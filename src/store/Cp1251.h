#pragma once
// Conversion between UTF-8 (the API of the whole program) and code page 1251
// (every file the companion reads). Both directions are total: nothing throws.

#include <string>
#include <string_view>
#include <vector>

namespace store {

// A character that 1251 cannot hold, or a broken UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

// The distinct characters of `utf8` that 1251 cannot hold, in order of first
// appearance, each as UTF-8; a broken sequence shows as U+FFFD.
std::vector<std::string> UnsupportedBy1251(std::string_view utf8);

// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t cp);

// Folds one 1251 byte to lower case: ASCII and every Cyrillic letter of the
// code page. Windows compares profile names this way.
unsigned char FoldCp1251(unsigned char c);
bool EqualsIgnoringCase1251(std::string_view a, std::string_view b);
// Every byte folded: a key for comparing names and texts as Windows does.
std::string Folded1251(std::string_view cp1251);
// The same from UTF-8 (converted to 1251 first).
std::string FoldedUtf8(std::string_view utf8);

}  // namespace store
