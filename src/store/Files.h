#pragma once
// Whole-file operations on UTF-8 paths. One backend per platform.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// What tells two versions of a file apart without reading it.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the Unix epoch
    std::uint64_t volume = 0;
    std::uint64_t fileId = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StatFile(const std::string& path);

// True when the file was last changed more than `seconds` ago. A coarse
// file-system clock can hide a second write made within the same tick, so a
// cached copy is trusted only once its time stamp has settled.
bool IsSettled(const FileStamp& stamp, int seconds = 2);

enum class ReadStatus { Ok, Missing, Failed };

struct FileContents {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    FileStamp stamp;  // of the version that was read
};

// Anything but an ordinary file (a FIFO, a device) reads as Failed at once:
// opening it could block the panel for good.
FileContents ReadWholeFile(const std::string& path);

// Writes a temp file beside `path`, flushes it and renames it over `path`,
// then flushes the folder too. Either the new content is there in full or the
// old file is left untouched. A new file gets the rights the umask allows; an
// existing one keeps its own. Refuses (returns false) for a read-only file, a
// missing folder, a full disk, anything but an ordinary file, or a file that
// another program holds for more than about two seconds.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// The temp file's name for a save of `path`, in the same folder. It matches
// none of the editors' list masks (*.lcb*, *.txt, *.us* ...), so a save
// caught half-way never shows up in a list; the leading dot hides it on POSIX.
std::string TempPathBeside(const std::string& path, unsigned long processId);
// The process that made a temp file of that name, or nullopt for other names.
std::optional<unsigned long> TempFileOwner(std::string_view fileName);

// A new temp file beside `path` holding `bytes`, with the rights of `path`
// when it exists (hidden on Windows). Its name, or "" when it cannot be
// written; nothing is left then. Durable only after FlushFolders.
std::string WriteTempBeside(const std::string& path, std::string_view bytes);
// Writes `bytes` over a temp file of ours in place: on some file systems a
// new file costs far more. Durable only after FlushFolders.
bool RewriteTemp(const std::string& temp, std::string_view bytes);
// Gives the new name `copy` the content of `path`: a hard link where the
// system allows (a temp copy must be hidden on Windows, which a link shares
// with its file), else a copy. Durable only after FlushFolders.
bool KeepCopy(const std::string& path, const std::string& copy);
// Makes every file written and renamed in these folders durable: one flush
// per file system on Linux, where a flush per file costs a disk commit each;
// Windows has flushed each file as it was written and each rename writes
// through.
bool FlushFolders(const std::vector<std::string>& folders);

bool FileExists(const std::string& path);        // an ordinary file
bool RemoveFile(const std::string& path);

enum class RenameMode {
    Replace,    // `to` is replaced in one step, never missing for a moment
    NoReplace,  // only while `to` does not exist
    Exchange,   // `from` and `to` (both existing) swap places in one step
};
enum class RenameResult { Done, Exists, Unsupported, Failed };
// Renames `from` to `to`, retrying for about two seconds while another
// program holds one of them. Exists: NoReplace found `to`. Unsupported: the
// file system cannot exchange (Windows never can). A temp file taking a
// setup file's place stops being hidden. The folder is not flushed: call
// FlushFolders once the renames are done.
RenameResult RenameFile(const std::string& from, const std::string& to, RenameMode mode = RenameMode::Replace);
// Makes renames and removals in `folder` durable (Windows writes them through).
void SyncFolder(const std::string& folder);
// True when `path` is missing, or is an ordinary file we may replace.
bool CanReplace(const std::string& path);
// False when a name in `path`, or the whole path, is longer than the file
// system takes.
bool FitsFileSystem(const std::string& path);
bool FolderExists(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool CreateFolder(const std::string& path);
// Removes an empty folder.
bool RemoveFolder(const std::string& path);

// Names (UTF-8) of the ordinary files directly inside `folder`; empty when the
// folder is missing or unreadable.
std::vector<std::string> ListFiles(const std::string& folder);

// The platform's path separator, as used by every path the store builds.
char PathSeparator();

}  // namespace store
