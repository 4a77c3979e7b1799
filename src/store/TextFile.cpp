#include "store/TextFile.h"

#include <filesystem>
#include <system_error>

#include "store/Cp1251.h"
#include "store/Files.h"

namespace store {
namespace {

namespace fs = std::filesystem;

fs::path NativePath(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The file functions answer only yes or no, so the reason is read off the
// file system afterwards, for the cases a user can do something about.
std::string Reason(FileError::Action action, const std::string& path)
{
    std::error_code ec;
    const fs::path p = NativePath(path);
    if (action == FileError::Action::OpenFolder) return "The system cannot find the path specified.";
    if (action == FileError::Action::CreateFolder) {
        // A folder path may end with a separator: its parent is one level further up.
        const fs::path parent = (p.has_filename() ? p : p.parent_path()).parent_path();
        if (!fs::is_directory(parent, ec)) return "The system cannot find the path specified.";
        return "A file of that name is in the way, or the folder is read-only.";
    }
    const fs::path folder = p.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) return "The system cannot find the path specified.";
    const fs::file_status st = fs::status(p, ec);
    if (!fs::exists(st)) {
        if (action == FileError::Action::Create) return "The folder may be read-only or the disk full.";
        return "The system cannot find the file specified.";
    }
    if (fs::is_directory(st)) return "Access is denied.";
    if (action != FileError::Action::Open && (st.permissions() & fs::perms::owner_write) == fs::perms::none)
        return "Access is denied.";
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
        std::error_code ec;
        if (fs::is_directory(NativePath(path), ec)) return std::nullopt;
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
    std::error_code ec;
    if (!fs::is_directory(NativePath(path), ec))
        throw FileError(FileError::Action::OpenFolder, path, Reason(FileError::Action::OpenFolder, path));
}

void MakeFolder(const std::string& path)
{
    if (!CreateFolder(path))
        throw FileError(FileError::Action::CreateFolder, path, Reason(FileError::Action::CreateFolder, path));
}

}  // namespace store
