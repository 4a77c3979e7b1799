#include "store/Files.h"

#include <atomic>
#include <charconv>

namespace store {
namespace {

constexpr std::string_view kTempPrefix = ".quorvel-save-";
constexpr std::string_view kTempSuffix = ".tmp";

}  // namespace

std::string TempPathBeside(const std::string& path, unsigned long processId)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t cut = path.find_last_of("/\\");
    std::string temp = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    // Not derived from the target's name: its extension would match a mask.
    temp.append(kTempPrefix).append(std::to_string(processId)).append("-").append(std::to_string(counter++));
    return temp.append(kTempSuffix);
}

std::optional<unsigned long> TempFileOwner(std::string_view name)
{
    if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return std::nullopt;
    name = name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
    const size_t dash = name.find('-');
    unsigned long pid = 0, serial = 0;
    const auto number = [](std::string_view s, unsigned long& out) {
        const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out);
        return !s.empty() && error == std::errc() && end == s.data() + s.size();
    };
    if (dash == std::string_view::npos || !number(name.substr(0, dash), pid) || !number(name.substr(dash + 1), serial))
        return std::nullopt;
    return pid;
}

}  // namespace store
