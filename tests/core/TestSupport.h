#pragma once
// Small helpers shared by the core tests: a scratch folder per test and
// byte-exact file access. Paths are UTF-8 strings, as in the core API.

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace testsupport {

// A fresh, empty folder that is removed again when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing separator, ready for concatenation.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

std::filesystem::path U8Path(const std::string& utf8);
// The path with "/" turned into the system's preferred separator.
std::string NativeSeparators(std::string path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Every file (path -> bytes) and folder (path with a trailing "/" -> "")
// below `dir`, paths "/"-separated, hidden files too; `skip` leaves paths out.
std::map<std::string, std::string> ReadTree(const std::string& dir,
                                            const std::function<bool(const std::string&)>& skip = {});
// Sets the file's modification time this many seconds into the past, so a
// cached copy of it counts as settled.
void AgeFile(const std::string& path, int seconds);

// `s` `n` times over.
inline std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

}  // namespace testsupport
