#include "hotkeys/HotkeyString.h"

#include <cstddef>

#include "hotkeys/KeyVocabulary.h"

namespace hotkeys {
namespace {

constexpr std::size_t kTokenChars = 4;
constexpr int kMaxTokens = 3;

// Byte length of the character at text[pos] (pos < size). Only the structure
// of a sequence is checked; anything malformed is one character per byte, so
// the scan always moves forward and never leaves the text.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t len = 1;
    if (lead >= 0xC2 && lead < 0xE0) {
        len = 2;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        len = 3;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        len = 4;
    }
    if (len == 1 || len > text.size() - pos) {
        return 1;
    }
    for (std::size_t i = 1; i < len; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return len;
}

}  // namespace

std::vector<std::string> SplitHotkey(std::string_view text) {
    // "~" and "&" are ASCII, so a byte search never lands inside a character.
    if (const std::size_t tilde = text.find('~'); tilde != std::string_view::npos) {
        text.remove_prefix(tilde + 1);
    }

    std::vector<std::string> tokens;
    for (int i = 0; i < kMaxTokens; ++i) {
        std::size_t end = 0;
        std::size_t chars = 0;
        while (chars < kTokenChars && end < text.size()) {
            end += CharLength(text, end);
            ++chars;
        }
        if (chars < kTokenChars) {
            break;  // three characters or fewer left
        }
        tokens.emplace_back(text.substr(0, end));
        if (i == kMaxTokens - 1) {
            break;
        }

        // The cut starts at the text that still begins with this token.
        const std::size_t amp = text.find('&');
        std::size_t cut = 0;
        if (amp == std::string_view::npos) {
            cut = CharLength(text, 0);
        } else {
            cut = amp + 1;
            if (cut < text.size()) {
                cut += CharLength(text, cut);
            }
        }
        text.remove_prefix(cut);
    }
    return tokens;
}

std::string ComposeHotkey(const std::vector<std::string>& tokens, bool hook) {
    std::string result;
    if (tokens.empty()) {
        return result;
    }
    if (!hook) {
        result += '~';
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0) {
            result += " & ";
        }
        result += tokens[i];
    }
    return result;
}

std::string CombinationCaption(const std::vector<std::string>& tokens) {
    std::string caption;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0) {
            caption += '+';
        }
        caption += KeyCaption(tokens[i]);
    }
    return caption;
}

std::string HotkeyCaption(std::string_view text) {
    const std::vector<std::string> tokens = SplitHotkey(text);
    return tokens.empty() ? "None" : CombinationCaption(tokens);
}

}  // namespace hotkeys
