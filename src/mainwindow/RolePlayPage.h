#pragma once
// The role-play text editor page: one of the fixed role-play entries is
// chosen, its text edited and saved into the server's role-play folder, and
// its hotkey handed to the keyboard picker.

#include <QPlainTextEdit>

#include "mainwindow/Page.h"

class QComboBox;
class QMenu;
class Label;
class Memo;
class ChatMarks;

class HotkeyPicker;

namespace hotkeys {
class ConflictMap;
}

class RolePlayPage : public Page {
    Q_OBJECT
public:
    RolePlayPage(Session& session, QWidget* parent);
    void UsePicker(HotkeyPicker* picker) { picker_ = picker; }

    // Handlers.
    void ChooseEntry();      // ComboBox1: an entry was chosen
    void SaveText();         // Button1
    void UpdateScrollBar();  // Memo1 changed
    void EditHotkey();       // Image1, Label41, Label46
    // Memo2Menu: `text` at the cursor as one undoable edit; on a line of its
    // own when `ownLine`.
    void InsertAtCursor(const QString& text, bool ownLine);
    void InsertQuestion();   // N10: asks for the question first
    // The role-play folder of the server in force now.
    void Opened() override;
    // Reads the chosen entry's file and key again (its files changed underneath).
    void Reload();
    const std::string& RolePlayFolder() const { return rolePlayFolder_; }

    // Label46 in the alert colour while another hotkey shares the entry's.
    void MarkConflicts(const hotkeys::ConflictMap& map);

    // The entry shown now; -1 before the first choice.
    int ChosenEntry() const { return entry_; }
    // The file of that entry; empty while none (or an entry without a text).
    const QString& CurrentFile() const { return currentFile_; }
    // Chooses entry `entry` (loading it unless it is shown already) and
    // selects `what` in line `line` of its text; line -1 selects nothing.
    void SelectEntry(int entry, int line, const QString& what);
    ChatMarks* Marks() const { return marks_; }

signals:
    // "Предпросмотр": the player wants to see the text as the chat shows it.
    void previewRequested(QPlainTextEdit* editor);

public:

    // Shown in the memo of an entry that has no text, and as Save's and the key
    // button's refusal for it.
    static const QString kNoTextHere;
    static const QString kNotConfigured;  // a chosen entry whose file is missing

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildMemoMenu();
    QString EntryPath(int entry) const;

    QComboBox* entries_ = nullptr;  // ComboBox1
    Memo* text_ = nullptr;          // Memo1
    Label* keyLabel_ = nullptr;     // Label46
    QMenu* insertMenu_ = nullptr;   // Memo2Menu
    ChatMarks* marks_ = nullptr;
    HotkeyPicker* picker_ = nullptr;
    int entry_ = -1;
    QString currentFile_;
    std::string rolePlayFolder_;  // RpDir: derived when the page is opened
};
