#pragma once
// The badge rule of the handshake, shared with the tests that check its answers.

#include <cstdint>
#include <string>
#include <string_view>

namespace binder {

// The same nick always gets the same seven digits (FNV-1a).
inline std::string BadgeFor(std::string_view nick)
{
    std::uint32_t h = 2166136261u;
    for (unsigned char c : nick) {
        h ^= c;
        h *= 16777619u;
    }
    return std::to_string(1000000u + h % 9000000u);
}

}  // namespace binder
