#pragma once
// The text files the companion types from: whole-file reads and writes in code
// page 1251 with CR LF line breaks, UTF-8 in the API. A refused read or write
// throws FileError with the path and the reason, in the words of the Windows
// framework's own file errors, and leaves every file as it was.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace store {

class FileError : public std::runtime_error {
public:
    enum class Action { Open, Create, Delete, OpenFolder, CreateFolder };
    FileError(Action action, const std::string& path, const std::string& reason);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Every lone CR and every lone LF becomes CR LF; CR LF pairs stay.
std::string NormalizeLineBreaks(std::string_view text);

// The file's text, line breaks normalized; nothing when there is no ordinary
// file at `path`. Throws FileError when the file is there but cannot be read.
std::optional<std::string> ReadTextFile(const std::string& path);

// Replaces the file with `utf8` exactly (no line break is added), atomically.
// Characters 1251 cannot hold are stored as '?'. Throws FileError.
void WriteTextFile(const std::string& path, std::string_view utf8);

// Makes a new empty file at `path`. Throws FileError.
void CreateEmptyFile(const std::string& path);

// Removes the file. Throws FileError when it stays.
void DeleteTextFile(const std::string& path);

// Throws FileError when `path` is no folder.
void RequireFolder(const std::string& path);

// Makes the folder `path` when it is missing; its parent must exist. Throws
// FileError.
void MakeFolder(const std::string& path);

}  // namespace store
