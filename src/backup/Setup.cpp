#include "backup/Setup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>

#include "store/Files.h"
#include "store/ServerPaths.h"

namespace backup {
namespace {

constexpr std::string_view kSettings = "Setting.ini";
constexpr std::string_view kRolePlay = "отыгровки";
constexpr std::string_view kCommands = "команды";
constexpr std::string_view kData = "date";
constexpr std::string_view kKeyFile = "keycomand.ini";
constexpr std::string_view kArticles = "статьи";
// What the editors list in each folder, as their masks do ("*.lcb*").
constexpr std::array<std::string_view, 4> kArticleMarks = {".us", ".ak", ".uk", ".pdd"};

std::vector<std::string_view> Split(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start));
        if (slash == std::string_view::npos) return parts;
        start = slash + 1;
    }
}

bool EndsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A file name that stays inside its folder on every system and is no device.
bool IsPlainName(std::string_view name)
{
    if (name.empty() || name.front() == '.' || name.back() == '.' || name.back() == ' ') return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), LowerAscii);
    for (const char* device : {"con", "prn", "aux", "nul"})
        if (stem == device) return false;
    return !((stem.size() == 4) && (stem.starts_with("com") || stem.starts_with("lpt")) && stem[3] >= '0' &&
             stem[3] <= '9');
}

std::optional<int> ServerFolder(std::string_view part)
{
    if (part.size() == 3 && part.starts_with("rp") && part[2] >= '1' && part[2] <= '0' + kServers)
        return part[2] - '0';
    return std::nullopt;
}

bool Contains(std::string_view s, std::string_view part)
{
    return s.find(part) != std::string_view::npos;
}

}  // namespace

std::optional<int> SetupFileServer(std::string_view path)
{
    const std::vector<std::string_view> p = Split(path);
    if (p.size() == 1) return p[0] == kSettings ? std::optional<int>(0) : std::nullopt;
    if (p.size() < 3 || !IsPlainName(p.back())) return std::nullopt;
    const std::optional<int> server = ServerFolder(p[1]);
    if (!server) return std::nullopt;
    const std::string_view name = p.back();
    bool ok = false;
    if (p[0] == kRolePlay && p.size() == 3) ok = EndsWith(name, ".txt");
    else if (p[0] == kRolePlay && p.size() == 4) ok = p[2] == kCommands && Contains(name, ".lcb");
    else if (p[0] == kData && p.size() == 3) ok = name == kKeyFile;
    else if (p[0] == kData && p.size() == 4)
        ok = p[2] == kArticles &&
             std::any_of(kArticleMarks.begin(), kArticleMarks.end(), [&](auto m) { return Contains(name, m); });
    return ok ? server : std::nullopt;
}

std::string LocalPath(const std::string& exeDir, std::string_view relativePath)
{
    std::string path = exeDir;
    for (const char c : relativePath) path += c == '/' ? store::PathSeparator() : c;
    return path;
}

bool Scope::Holds(int server) const
{
    return server == 0 ? settings : std::find(servers.begin(), servers.end(), server) != servers.end();
}

Files ReadSetup(const std::string& exeDir, const Scope& scope)
{
    std::vector<std::string> folders;
    for (int n : scope.servers) {
        const std::string rp = "rp" + std::to_string(n);
        for (const std::string& f : {std::string(kRolePlay) + "/" + rp, std::string(kRolePlay) + "/" + rp + "/" +
                                         std::string(kCommands), std::string(kData) + "/" + rp,
                                     std::string(kData) + "/" + rp + "/" + std::string(kArticles)})
            folders.push_back(f + "/");
    }
    std::vector<std::string> paths;
    if (scope.settings) paths.emplace_back(kSettings);
    for (const std::string& folder : folders)
        for (const std::string& name : store::ListFiles(LocalPath(exeDir, folder)))
            paths.push_back(folder + name);

    Files files;
    for (const std::string& path : paths) {
        const auto server = SetupFileServer(path);
        if (!server || !scope.Holds(*server)) continue;
        store::FileContents c = store::ReadWholeFile(LocalPath(exeDir, path));
        if (c.status == store::ReadStatus::Missing) continue;  // gone since the listing
        if (c.status == store::ReadStatus::Failed)
            throw std::runtime_error("Не удалось прочитать " + LocalPath(exeDir, path));
        files.emplace(path, std::move(c.bytes));
    }
    return files;
}

std::string Digest(const Files& files)
{
    std::uint64_t h = 0xcbf29ce484222325ull;
    const auto mix = [&h](std::string_view bytes) {
        for (const char c : bytes) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001b3ull;
        }
    };
    for (const auto& [path, bytes] : files) {
        mix(path);
        mix(std::string_view("\0", 1));
        mix(std::to_string(bytes.size()));
        mix(bytes);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return hex;
}

}  // namespace backup
