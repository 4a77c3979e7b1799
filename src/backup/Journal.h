#pragma once
// The rollback journal of an import: before the first setup file is replaced,
// "backup/import-journal.txt" names every file the import touches, the temp
// file holding its new content and the temp copy of its old one. It is
// removed after the last rename. Finding one later means the import never
// finished, and the old setup is put back.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace backup {

struct Journal {
    struct Entry {
        std::string path;    // relative, as in a setup
        std::string staged;  // temp file name beside it with the new content; "" for a removal
        std::string kept;    // temp file name beside it with the old content; "" when it had none
    };
    unsigned long pid = 0;             // the importing process
    bool renaming = false;             // false: only temp files and folders were being made
    std::vector<std::string> folders;  // made by the import, outer first (relative, trailing "/")
    std::vector<Entry> entries;
};

std::string JournalPath(const std::string& exeDir);

// Written atomically, flushed. False when it cannot be.
bool WriteJournal(const std::string& exeDir, const Journal& journal);
// nullopt when there is none; throws std::runtime_error for one that cannot
// be trusted (damaged, or naming anything but setup files and temp files).
std::optional<Journal> ReadJournal(const std::string& exeDir);

// Puts back the old content of every entry (after renaming had begun; the
// importer itself knows that entries from `touched` on were never renamed)
// and removes the journal's temp files and folders, then the journal. Safe to
// repeat after an interruption. The paths it could not put back.
std::vector<std::string> RollBack(const std::string& exeDir, const Journal& journal, size_t touched = SIZE_MAX);

// What a start found and did.
struct Recovery {
    bool undone = false;            // an interrupted import was rolled back
    int tempsRemoved = 0;           // temp files of ended processes
    std::vector<std::string> stuck; // files it could not put back: the journal stays for the next start
    bool damaged = false;           // a journal it cannot read: left alone

    // For the player: "" when there is nothing to say.
    std::string Message() const;
};

// Finishes an interrupted import (rolled back: it was never confirmed) unless
// a live process owns the journal, and removes the temp files that ended
// processes left in the setup folders and in backup/. Run it before the
// panel or a command-line job touches the setup.
Recovery RecoverInterrupted(const std::string& exeDir);

}  // namespace backup
