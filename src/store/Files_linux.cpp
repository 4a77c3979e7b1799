#include "store/Files.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

FileStamp FromStat(const struct stat& st)
{
    FileStamp s;
    s.exists = true;
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    s.volume = static_cast<std::uint64_t>(st.st_dev);
    s.fileId = static_cast<std::uint64_t>(st.st_ino);
    return s;
}

bool WriteAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A link is written through, so the file it names is the one replaced.
std::string ResolveTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(path.c_str(), buf) != nullptr) return buf;
    }
    return path;
}

}  // namespace

FileStamp StatFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return FromStat(st);
}

bool IsSettled(const FileStamp& stamp, int seconds)
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t nowNs = static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    return nowNs - stamp.modifiedNs > static_cast<std::int64_t>(seconds) * 1000000000LL;
}

FileContents ReadWholeFile(const std::string& path)
{
    FileContents out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        out.status = ReadStatus::Failed;
        return out;
    }
    out.stamp = FromStat(st);
    out.bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    char spill[4096];
    for (;;) {
        // Read into the sized buffer; once it is full, probe for growth on the side.
        const bool full = got == out.bytes.size();
        char* dest = full ? spill : out.bytes.data() + got;
        const size_t room = full ? sizeof spill : out.bytes.size() - got;
        const ssize_t n = ::read(fd, dest, room);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            out.bytes.clear();
            out.status = ReadStatus::Failed;
            return out;
        }
        if (n == 0) break;
        if (full) out.bytes.append(spill, static_cast<size_t>(n));
        got += static_cast<size_t>(n);
    }
    out.bytes.resize(got);
    ::close(fd);
    out.status = ReadStatus::Ok;
    return out;
}

bool WriteFileAtomic(const std::string& requested, std::string_view bytes)
{
    const std::string path = ResolveTarget(requested);
    mode_t mode = 0666;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        // The write bits are the read-only flag; root ignores them otherwise.
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return false;
        mode = st.st_mode & 07777;
    }

    const size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    static std::atomic<unsigned> counter{0};
    const std::string temp = dir + "." + base + ".tmp-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++);

    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    if (ok) ::fchmod(fd, mode);  // umask must not narrow the file's old rights
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool RemoveFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

std::vector<std::string> ListFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/') prefix += '/';
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (FileExists(prefix + name)) names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

char PathSeparator()
{
    return '/';
}

}  // namespace store
