#pragma once
// Bringing an archive into the program folder: first a plan (what is new,
// replaced, removed, which hotkeys change), then the plan applied all or
// nothing, also across a crash (see Journal.h).

#include <functional>
#include <map>
#include <optional>
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
    Mode mode = Mode::Merge;
    std::vector<FileChange> changes;   // in path order
    std::vector<HotkeyChange> hotkeys;
    Files writes;                      // what each written file becomes
    std::vector<std::string> removals;
    // Setting.ini and keycomand.ini files written or removed: as they were
    // when planned (nullopt: missing) and as the archive has them, so that a
    // later write by another program (the companion) can be merged in.
    struct Basis {
        std::optional<std::string> before;
        std::string incoming;
    };
    std::map<std::string, Basis> settings;
};

// Throws ApplyError for a name longer than the file system takes.
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

// Every new content goes to a temp file and every old one is kept in another
// before the journal is written; then each file is replaced by one rename, so
// none is ever missing. A failure puts the old files back; so does the next
// start after a crash (RecoverInterrupted). A settings file that another
// program rewrote since the plan gets that program's keys on top of the
// plan's result, in either mode: they are news the plan could not show; when
// it keeps changing, the import stops and changes nothing.
// `beforeRename` (tests) runs before each file is replaced and may throw.
void ApplyPlan(const std::string& exeDir, const Plan& plan,
               const std::function<void(const std::string&)>& beforeRename = {});

}  // namespace backup
