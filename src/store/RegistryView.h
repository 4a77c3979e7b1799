#pragma once
// Read-only view of the current user's registry below one root key: sections
// are subkeys of the root, keys are their string values. Used for the nick the
// game client keeps (SAMP / PlayerName). On Linux it reads Wine's user.reg.

#include <string>
#include <string_view>

namespace store {

class RegistryView {
public:
    explicit RegistryView(std::string root = "SOFTWARE");

    // The string value `key` of the subkey root\section (UTF-8). A missing
    // subkey or value, or a value that is not a string, reads as defaultValue.
    // Never creates anything; every call reads afresh.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

private:
    std::string root_;
};

}  // namespace store
