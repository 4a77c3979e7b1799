#pragma once
// An INI file that behaves like the Windows profile functions the companion
// uses, on every platform: code page 1251 on disk, UTF-8 in the API, names
// compared ignoring case, every write applied to the file at once.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/Files.h"

namespace store {

// A write the file system refused. The file is left as it was.
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const std::string& path)
        : std::runtime_error("Unable to write to " + path), path_(path) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class IniFile {
public:
    explicit IniFile(std::string path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::string& FileName() const { return path_; }

    // Missing file, section or key gives `defaultValue`; a key present with an
    // empty value gives "". Never throws.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Every key of the section that ReadString would give a stored value for,
    // in file order, each as ReadString gives it (the first of duplicates).
    std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section) const;
    // The same over a file's bytes in memory.
    static std::vector<std::pair<std::string, std::string>> ParseSection(std::string_view bytes, std::string_view section);

    // Throw WriteError when the file cannot be replaced.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void DeleteKey(std::string_view section, std::string_view key);

    // The integer rule of the settings files: "0x" becomes "$", then signed
    // decimal or "$" hexadecimal; anything else gives `defaultValue`.
    static int ParseInteger(std::string_view text, int defaultValue);

    struct Document;

private:
    std::shared_ptr<const Document> Load() const;
    void Store(std::string bytes);

    std::string path_;
    mutable std::shared_ptr<const Document> cache_;
};

}  // namespace store
