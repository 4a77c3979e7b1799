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
// file for a moment; a few short retries ride that out.
constexpr int kRetries = 10;
constexpr DWORD kRetryPauseMs = 30;

HANDLE OpenForRead(const std::wstring& path)
{
    for (int attempt = 0;; ++attempt) {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || attempt >= kRetries || GetLastError() != ERROR_SHARING_VIOLATION)
            return h;
        Sleep(kRetryPauseMs);
    }
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

    const std::wstring temp = Widen(TempPathBeside(path, GetCurrentProcessId()));
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
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
    if (ok) {
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                break;
            if (attempt >= kRetries || !IsTransient(GetLastError())) {
                ok = false;
                break;
            }
            Sleep(kRetryPauseMs);
        }
    }
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
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

bool RenameFile(const std::string& from, const std::string& to)
{
    const std::wstring source = Widen(from);
    const std::wstring target = Widen(to);
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt >= kRetries || !IsTransient(GetLastError())) return false;
        Sleep(kRetryPauseMs);
    }
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
