#include "TestSupport.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

fs::path U8Path(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

static std::string ToU8(const fs::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            base / ("quorvel-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = ToU8(candidate) + static_cast<char>(fs::path::preferred_separator);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::path p = U8Path(path_);
    // Read-only files left by a test must not keep the folder alive.
    for (auto it = fs::recursive_directory_iterator(p, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(p, ec);
}

std::string NativeSeparators(std::string path)
{
    if constexpr (fs::path::preferred_separator != '/') {
        std::replace(path.begin(), path.end(), '/', static_cast<char>(fs::path::preferred_separator));
    }
    return path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(U8Path(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(U8Path(path), std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(U8Path(path), ec);
}

std::map<std::string, std::string> ReadTree(const std::string& dir, const std::function<bool(const std::string&)>& skip)
{
    std::map<std::string, std::string> tree;
    const fs::path root = U8Path(dir);
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::u8string relative = e.path().lexically_relative(root).generic_u8string();
        const std::string key(relative.begin(), relative.end());
        if (skip && skip(key)) continue;
        tree[key + (e.is_directory() ? "/" : "")] = e.is_regular_file() ? ReadBytes(ToU8(e.path())) : "";
    }
    return tree;
}

void AgeFile(const std::string& path, int seconds)
{
    const fs::path p = U8Path(path);
    fs::last_write_time(p, fs::last_write_time(p) - std::chrono::seconds(seconds));
}

}  // namespace testsupport
