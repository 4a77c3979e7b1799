#include "store/Files.h"

#include "store/WinText.h"

#include <algorithm>

namespace store {
namespace {

// FILETIME counts 100 ns steps from 1601; the stamp counts ns from 1970.
constexpr std::int64_t kEpochDelta100ns = 116444736000000000LL;

std::int64_t ToUnixNs(const FILETIME& ft)
{
    const std::int64_t ticks =
        (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | static_cast<std::int64_t>(ft.dwLowDateTime);
    return (ticks - kEpochDelta100ns) * 100;
}

FileStamp FromInfo(const BY_HANDLE_FILE_INFORMATION& info)
{
    FileStamp s;
    s.exists = true;
    s.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    s.modifiedNs = ToUnixNs(info.ftLastWriteTime);
    s.volume = info.dwVolumeSerialNumber;
    s.fileId = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return s;
}

bool IsTransient(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Another program (the companion, an editor, a virus scanner) may hold the
// file for a while; retrying for about two seconds rides that out. True when
// `attempt` succeeded; GetLastError() tells why not.
template <class Attempt>
bool Retrying(Attempt&& attempt, bool (*transient)(DWORD) = IsTransient)
{
    constexpr ULONGLONG kPatienceMs = 2000;
    constexpr DWORD kPauseMs = 40;
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (attempt()) return true;
        const DWORD error = GetLastError();
        if (!transient(error) || GetTickCount64() - start >= kPatienceMs) {
            SetLastError(error);
            return false;
        }
        Sleep(kPauseMs);
    }
}

HANDLE OpenForRead(const std::wstring& path)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    Retrying([&] {
        h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return h != INVALID_HANDLE_VALUE;
    }, [](DWORD error) { return error == ERROR_SHARING_VIOLATION; });
    return h;
}

bool Move(const std::wstring& from, const std::wstring& to, DWORD flags)
{
    return Retrying([&] { return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) != 0; });
}

// `bytes` into a temp file, hidden, flushed to disk: a new one (CREATE_NEW)
// or one of ours rewritten (TRUNCATE_EXISTING). A new file that fails goes.
bool WriteTempFile(const std::wstring& path, std::string_view bytes, DWORD disposition)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        ok = WriteFile(h, bytes.data() + done, want, &n, nullptr) && n > 0;
        done += n;
    }
    ok = ok && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    if (!ok && disposition == CREATE_NEW) DeleteFileW(path.c_str());
    return ok;
}

bool WriteNewFile(const std::wstring& path, std::string_view bytes)
{
    return WriteTempFile(path, bytes, CREATE_NEW);
}

bool IsTempName(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\");
    return TempFileOwner(cut == std::string::npos ? path : path.substr(cut + 1)).has_value();
}

// A console, a pipe or a port under a file's name could block a read for good.
bool IsDiskFile(HANDLE h)
{
    return GetFileType(h) == FILE_TYPE_DISK;
}

bool IsOrdinaryFile(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool disk = IsDiskFile(h);
    CloseHandle(h);
    return disk;
}

}  // namespace

FileStamp StatFile(const std::string& path)
{
    HANDLE h = CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info {};
    FileStamp s;
    if (IsDiskFile(h) && GetFileInformationByHandle(h, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        s = FromInfo(info);
    CloseHandle(h);
    return s;
}

bool IsSettled(const FileStamp& stamp, int seconds)
{
    FILETIME now {};
    GetSystemTimeAsFileTime(&now);
    return ToUnixNs(now) - stamp.modifiedNs > static_cast<std::int64_t>(seconds) * 1000000000LL;
}

FileContents ReadWholeFile(const std::string& path)
{
    FileContents out;
    HANDLE h = OpenForRead(Widen(path));
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        out.status = (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) ? ReadStatus::Missing
                                                                              : ReadStatus::Failed;
        return out;
    }
    BY_HANDLE_FILE_INFORMATION info {};
    if (!IsDiskFile(h) || !GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        out.status = ReadStatus::Failed;
        return out;
    }
    out.stamp = FromInfo(info);
    out.bytes.resize(static_cast<size_t>(out.stamp.size));
    size_t got = 0;
    char spill[4096];
    for (;;) {
        // Read into the sized buffer; once it is full, probe for growth on the side.
        const bool full = got == out.bytes.size();
        char* dest = full ? spill : out.bytes.data() + got;
        const DWORD room = static_cast<DWORD>(full ? sizeof spill : std::min<size_t>(out.bytes.size() - got, 1u << 30));
        DWORD n = 0;
        if (!ReadFile(h, dest, room, &n, nullptr)) {
            CloseHandle(h);
            out.bytes.clear();
            out.status = ReadStatus::Failed;
            return out;
        }
        if (n == 0) break;
        if (full) out.bytes.append(spill, n);
        got += n;
    }
    out.bytes.resize(got);
    CloseHandle(h);
    out.status = ReadStatus::Ok;
    return out;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes)
{
    const std::wstring target = Widen(path);
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        ((attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) || !IsOrdinaryFile(target)))
        return false;
    const std::string temp = WriteTempBeside(path, bytes);
    if (temp.empty()) return false;
    if (RenameFile(temp, path) == RenameResult::Done) return true;
    DeleteFileW(Widen(temp).c_str());
    return false;
}

std::string WriteTempBeside(const std::string& path, std::string_view bytes)
{
    const std::string temp = TempPathBeside(path, GetCurrentProcessId());
    return WriteNewFile(Widen(temp), bytes) ? temp : std::string();
}

bool RewriteTemp(const std::string& temp, std::string_view bytes)
{
    return WriteTempFile(Widen(temp), bytes, TRUNCATE_EXISTING);
}

// A hard link would share the hidden flag with the file itself: a copy.
bool KeepCopy(const std::string& path, const std::string& copy)
{
    const FileContents old = ReadWholeFile(path);
    return old.status == ReadStatus::Ok && WriteNewFile(Widen(copy), old.bytes);
}

bool FileExists(const std::string& path)
{
    const DWORD attrs = GetFileAttributesW(Widen(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& path)
{
    return DeleteFileW(Widen(path).c_str()) != 0;
}

RenameResult RenameFile(const std::string& from, const std::string& to, RenameMode mode)
{
    if (mode == RenameMode::Exchange) return RenameResult::Unsupported;
    const std::wstring source = Widen(from);
    const std::wstring target = Widen(to);
    if (!IsTempName(to)) {
        const DWORD attrs = GetFileAttributesW(source.c_str());
        if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_HIDDEN))
            SetFileAttributesW(source.c_str(), attrs & ~FILE_ATTRIBUTE_HIDDEN);
    }
    if (Move(source, target, mode == RenameMode::Replace ? MOVEFILE_REPLACE_EXISTING : 0)) return RenameResult::Done;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? RenameResult::Exists : RenameResult::Failed;
}

void SyncFolder(const std::string&)
{
    // MOVEFILE_WRITE_THROUGH has made each rename durable already.
}

bool CanReplace(const std::string& path)
{
    const std::wstring wide = Widen(path);
    const DWORD attrs = GetFileAttributesW(wide.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    return !(attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) && IsOrdinaryFile(wide);
}

bool FlushFolders(const std::vector<std::string>&)
{
    return true;  // each temp file was flushed as it was written
}

bool FitsFileSystem(const std::string& path)
{
    // Without the long-path prefix Windows takes MAX_PATH - 1 characters, and
    // 255 in one name.
    const std::wstring wide = Widen(path);
    if (wide.size() >= MAX_PATH) return false;
    for (size_t start = 0, cut; start < wide.size(); start = cut + 1) {
        cut = wide.find_first_of(L"\\/", start);
        if (cut == std::wstring::npos) cut = wide.size();
        if (cut - start > 255) return false;
    }
    return true;
}

bool FolderExists(const std::string& path)
{
    const DWORD attrs = GetFileAttributesW(Widen(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::string& path)
{
    return CreateDirectoryW(Widen(path).c_str(), nullptr) || FolderExists(path);
}

bool RemoveFolder(const std::string& path)
{
    return RemoveDirectoryW(Widen(path).c_str()) != 0;
}

std::vector<std::string> ListFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data {};
    HANDLE h = FindFirstFileW(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Narrow(data.cFileName));
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
}

char PathSeparator()
{
    return '\\';
}

}  // namespace store
