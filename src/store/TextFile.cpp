#include "store/TextFile.h"

#include "store/Cp1251.h"
#include "store/Files.h"

namespace store {
namespace {

// The folder a path names its file or folder in ("" for a bare name); a
// trailing separator belongs to the path itself.
std::string ParentOf(std::string_view path)
{
    while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.remove_suffix(1);
    const size_t sep = path.find_last_of("/\\");
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

// The file functions answer only yes or no, so the reason is read off the
// file system afterwards, for the cases a user can do something about.
std::string Reason(FileError::Action action, const std::string& path)
{
    if (action == FileError::Action::OpenFolder) return "The system cannot find the path specified.";
    const std::string parent = ParentOf(path);
    if (action == FileError::Action::CreateFolder) {
        if (!parent.empty() && !FolderExists(parent)) return "The system cannot find the path specified.";
        return "A file of that name is in the way, or the folder is read-only.";
    }
    if (!parent.empty() && !FolderExists(parent)) return "The system cannot find the path specified.";
    if (FolderExists(path)) return "Access is denied.";
    // A read that failed found something there; the others look.
    if (action != FileError::Action::Open) {
        if (!FileExists(path)) {
            if (action == FileError::Action::Create) return "The folder may be read-only or the disk full.";
            return "The system cannot find the file specified.";
        }
        if (!CanReplace(path)) return "Access is denied.";
    }
    switch (action) {
    case FileError::Action::Open:
        return "The file could not be read.";
    case FileError::Action::Create:
        return "The file may be in use by another program, or the disk may be full.";
    case FileError::Action::Delete:
        return "The file may be in use by another program.";
    case FileError::Action::OpenFolder:
    case FileError::Action::CreateFolder:
        break;
    }
    return {};
}

std::string Message(FileError::Action action, const std::string& path, const std::string& reason)
{
    const char* what = "";
    switch (action) {
    case FileError::Action::Open: what = "open file"; break;
    case FileError::Action::Create: what = "create file"; break;
    case FileError::Action::Delete: what = "delete file"; break;
    case FileError::Action::OpenFolder: what = "open folder"; break;
    case FileError::Action::CreateFolder: what = "create folder"; break;
    }
    return std::string("Cannot ") + what + " \"" + path + "\". " + reason;
}

}  // namespace

FileError::FileError(Action action, const std::string& path, const std::string& reason)
    : std::runtime_error(Message(action, path, reason)), path_(path)
{
}

std::string NormalizeLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> ReadTextFile(const std::string& path)
{
    FileContents file = ReadWholeFile(path);
    if (file.status == ReadStatus::Missing) return std::nullopt;
    if (file.status != ReadStatus::Ok) {
        // A folder in its place is no text of ours; a FIFO or a device is a
        // file we refuse to read.
        if (FolderExists(path)) return std::nullopt;
        throw FileError(FileError::Action::Open, path, Reason(FileError::Action::Open, path));
    }
    return NormalizeLineBreaks(Cp1251ToUtf8(file.bytes));
}

void WriteTextFile(const std::string& path, std::string_view utf8)
{
    if (!WriteFileAtomic(path, Utf8ToCp1251(utf8)))
        throw FileError(FileError::Action::Create, path, Reason(FileError::Action::Create, path));
}

void CreateEmptyFile(const std::string& path)
{
    WriteTextFile(path, {});
}

void DeleteTextFile(const std::string& path)
{
    if (!RemoveFile(path))
        throw FileError(FileError::Action::Delete, path, Reason(FileError::Action::Delete, path));
}

void RequireFolder(const std::string& path)
{
    if (!FolderExists(path))
        throw FileError(FileError::Action::OpenFolder, path, Reason(FileError::Action::OpenFolder, path));
}

void MakeFolder(const std::string& path)
{
    if (!CreateFolder(path))
        throw FileError(FileError::Action::CreateFolder, path, Reason(FileError::Action::CreateFolder, path));
}

}  // namespace store
