#include "store/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <optional>
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

// Makes the rename itself durable: without it a power cut can bring back the
// old file. Some file systems cannot sync a folder; the file is saved anyway.
void SyncFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    SyncFolder(slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1));
}

// A new file at `path` holding `bytes`, with the rights of `like` when that
// exists (a new file gets what the umask allows), flushed when asked.
bool WriteNewFile(const std::string& path, std::string_view bytes, const std::string& like, bool flush)
{
    struct stat st {};
    const bool copyMode = ::stat(like.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && copyMode) ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    ok = ok && (!flush || ::fsync(fd) == 0);
    ok = (::close(fd) == 0) && ok;
    if (!ok) ::unlink(path.c_str());
    return ok;
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
    // Opening a FIFO waits for a writer, and opening a device may do more:
    // look first, and open without blocking in case it changes meanwhile.
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) {
        out.status = ReadStatus::Failed;
        return out;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
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
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        // The write bits are the read-only flag; root ignores them otherwise.
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return false;
    }
    const std::string temp = TempPathBeside(path, static_cast<unsigned long>(::getpid()));
    if (!WriteNewFile(temp, bytes, path, true)) return false;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

std::string WriteTempBeside(const std::string& path, std::string_view bytes)
{
    const std::string temp = TempPathBeside(path, static_cast<unsigned long>(::getpid()));
    return WriteNewFile(temp, bytes, path, false) ? temp : std::string();
}

bool RewriteTemp(const std::string& temp, std::string_view bytes)
{
    const int fd = ::open(temp.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    const bool ok = WriteAll(fd, bytes);
    return (::close(fd) == 0) && ok;
}

bool KeepCopy(const std::string& path, const std::string& copy)
{
    if (::link(path.c_str(), copy.c_str()) == 0) return true;
    const FileContents old = ReadWholeFile(path);
    return old.status == ReadStatus::Ok && WriteNewFile(copy, old.bytes, path, false);
}

bool FlushFolders(const std::vector<std::string>& folders)
{
    std::vector<dev_t> done;
    for (const std::string& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat st {};
        bool ok = fd >= 0 && ::fstat(fd, &st) == 0;
        if (ok && std::find(done.begin(), done.end(), st.st_dev) == done.end()) {
            ok = ::syncfs(fd) == 0;
            done.push_back(st.st_dev);
        }
        if (fd >= 0) ::close(fd);
        if (!ok) return false;
    }
    return true;
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

RenameResult RenameFile(const std::string& from, const std::string& to, RenameMode mode)
{
    if (mode == RenameMode::Replace) return ::rename(from.c_str(), to.c_str()) == 0 ? RenameResult::Done : RenameResult::Failed;
    const unsigned flags = mode == RenameMode::Exchange ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags) == 0) return RenameResult::Done;
    if (errno == EEXIST) return RenameResult::Exists;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return RenameResult::Failed;
    if (mode == RenameMode::Exchange) return RenameResult::Unsupported;
    // Without the flag a link refuses an existing name just the same.
    if (::link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? RenameResult::Exists : RenameResult::Failed;
    ::unlink(from.c_str());
    return RenameResult::Done;
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool CanReplace(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    return S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool FitsFileSystem(const std::string& path)
{
    if (path.size() >= PATH_MAX) return false;
    for (size_t start = 0, slash; start < path.size(); start = slash + 1) {
        slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash - start > NAME_MAX) return false;
    }
    return true;
}

bool FolderExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 || FolderExists(path);
}

bool RemoveFolder(const std::string& path)
{
    return ::rmdir(path.c_str()) == 0;
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
