#include "backup/Setup.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "store/Articles.h"
#include "store/Cp1251.h"
#include "store/FileNames.h"
#include "store/Files.h"
#include "store/ServerPaths.h"

namespace backup {
namespace {

using store::kArticlesFolder;
using store::kCommandsFolder;
using store::kDataFolder;
using store::kKeyFile;
using store::kRolePlayFolder;
using store::kSettingsFile;
constexpr std::string_view kCommandMark = store::kCommandExtension;  // the command list's mask is "*.lcb*"

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

std::optional<int> ServerFolder(std::string_view part)
{
    if (part.size() == 3 && part.starts_with(store::kServerFolderPrefix) && part[2] >= '1' && part[2] <= '0' + kServerCount)
        return part[2] - '0';
    return std::nullopt;
}

}  // namespace

std::optional<int> SetupFileServer(std::string_view path)
{
    const std::vector<std::string_view> p = Split(path);
    if (p.size() == 1) return p[0] == kSettingsFile ? std::optional<int>(0) : std::nullopt;
    if (p.size() < 3 || !store::IsPlainFileName(p.back())) return std::nullopt;
    const std::optional<int> server = ServerFolder(p[1]);
    if (!server) return std::nullopt;
    const std::string_view name = p.back();
    bool ok = false;
    if (p[0] == kRolePlayFolder && p.size() == 3) ok = name.ends_with(".txt");
    // Commands and articles are what the editors list: their masks ignore case.
    else if (p[0] == kRolePlayFolder && p.size() == 4)
        ok = p[2] == kCommandsFolder && store::FoldedUtf8(name).find(kCommandMark) != std::string::npos;
    else if (p[0] == kDataFolder && p.size() == 3) ok = name == kKeyFile;
    else if (p[0] == kDataFolder && p.size() == 4)
        ok = p[2] == kArticlesFolder && std::any_of(store::LawBooks().begin(), store::LawBooks().end(), [&](const auto& b) {
                 return store::IsArticleFileName(name, b.book);
             });
    return ok ? server : std::nullopt;
}

std::string LocalPath(const std::string& exeDir, std::string_view relativePath)
{
    std::string path = exeDir;
    for (const char c : relativePath) path += c == '/' ? store::PathSeparator() : c;
    return path;
}

std::string KeyFileOf(int server)
{
    return std::string(kDataFolder) + "/" + std::string(store::kServerFolderPrefix) + std::to_string(server) + "/" +
           std::string(kKeyFile);
}

std::vector<std::string> ServerFolders(int server)
{
    const std::string rp = std::string(store::kServerFolderPrefix) + std::to_string(server) + "/";
    const std::string rolePlay = std::string(kRolePlayFolder) + "/" + rp;
    const std::string data = std::string(kDataFolder) + "/" + rp;
    return {rolePlay, rolePlay + std::string(kCommandsFolder) + "/", data, data + std::string(kArticlesFolder) + "/"};
}

const std::vector<std::string>& SetupFolders()
{
    static const std::vector<std::string> folders = [] {
        std::vector<std::string> all{std::string(kRolePlayFolder) + "/", std::string(kDataFolder) + "/"};
        for (int n = 1; n <= kServerCount; ++n)
            for (std::string& f : ServerFolders(n)) all.push_back(std::move(f));
        return all;
    }();
    return folders;
}

bool Scope::Holds(int server) const
{
    return server == 0 ? settings : std::find(servers.begin(), servers.end(), server) != servers.end();
}

Files ReadSetup(const std::string& exeDir, const Scope& scope)
{
    std::vector<std::string> folders;
    for (int n : scope.servers)
        for (std::string& f : ServerFolders(n)) folders.push_back(std::move(f));
    std::vector<std::string> paths;
    if (scope.settings) paths.emplace_back(kSettingsFile);
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
