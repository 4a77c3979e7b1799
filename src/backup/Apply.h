#pragma once
// Bringing an archive into the program folder: first a plan (what is new,
// replaced, removed, which hotkeys change), then the plan applied all or
// nothing.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "backup/Archive.h"

namespace backup {

enum class Mode {
    Merge,    // files and keys the archive lacks stay
    Replace,  // the archive's scope becomes exactly the archive
};

struct FileChange {
    enum class Kind { Added, Replaced, Removed };
    std::string path;
    Kind kind;
};

struct HotkeyChange {
    int server;        // 0: Setting.ini [hotkeys]; 1..4: that server's [keys]
    std::string key;   // "key37", or the command's name
    std::string before, after;  // stored values; "" when absent
};

struct Plan {
    std::vector<FileChange> changes;   // in path order
    std::vector<HotkeyChange> hotkeys;
    Files writes;                      // what each written file becomes
    std::vector<std::string> removals;
};

Plan MakePlan(const std::string& exeDir, const Archive& archive, Mode mode);

// Names the file that failed and why.
class ApplyError : public std::runtime_error {
public:
    ApplyError(const std::string& path, const std::string& reason)
        : std::runtime_error(reason + ": " + path), path_(path) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Every new content goes to a temp name first; the renames happen only when
// all are written, and a failed rename puts back what was renamed before it.
// `beforeRename` (tests) runs before each rename and may throw.
void ApplyPlan(const std::string& exeDir, const Plan& plan,
               const std::function<void(const std::string&)>& beforeRename = {});

}  // namespace backup
