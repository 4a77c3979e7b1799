// libFuzzer target for the hotkey splitter: any stored text must split into
// at most three four-character tokens and caption without failing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hotkeys/HotkeyString.h"

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto tokens = hotkeys::SplitHotkey(text);
    if (tokens.size() > 3) {
        std::abort();
    }
    for (const std::string& token : tokens) {
        // Four characters: four bytes for ASCII, at most four UTF-8 sequences otherwise.
        if (token.size() < 4 || token.size() > 16 || (IsAscii(token) && token.size() != 4)) {
            std::abort();
        }
        if (text.find(token) == std::string_view::npos) {
            std::abort();
        }
    }
    const std::string caption = hotkeys::HotkeyCaption(text);
    if (caption.empty() || (tokens.empty() && caption != "None")) {
        std::abort();
    }
    return 0;
}
