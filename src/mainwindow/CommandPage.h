#pragma once
// The command editor page: the user's own commands, one text file each in the
// server's commands folder, with hotkeys kept in the server's keycomand.ini.

#include <QPlainTextEdit>

#include "mainwindow/Page.h"

class QListWidget;
class Label;
class Memo;
class ChatMarks;

class HotkeyPicker;
class LargeTextEditor;
namespace hotkeys {
class ConflictMap;
}

class CommandPage : public Page {
    Q_OBJECT
public:
    CommandPage(Session& session, QWidget* parent);
    void UseDialogs(HotkeyPicker* picker, LargeTextEditor* largeText);

    // Points the command list at a folder and lists its commands; the list
    // keeps its items and selection when the folder is the one it shows.
    // Throws store::FileError when the folder is missing.
    void PointAt(const QString& folder);
    const QString& Folder() const { return folder_; }
    // Lists `folder` afresh, the selection dropped (its files changed underneath);
    // a missing folder lists nothing.
    void Reload(const QString& folder);
    // The commands folder of the server in force now.
    void Opened() override;

    // Handlers.
    void ShowSelected();     // RComand: the selection moved
    void DeleteCommand();    // Button2
    void CreateCommand();    // Button3
    void SaveCommand();      // Button4
    void EditHotkey();       // Image6
    void EditInLargeEditor();  // Memo2 double-click

    // Label49 in the alert colour while another hotkey shares the command's.
    void MarkConflicts(const hotkeys::ConflictMap& map);

    // Selects the command listed as `fileName` (loading it unless it is shown
    // already) and `what` in line `line` of its text; line -1 selects nothing.
    void SelectCommand(const QString& fileName, int line, const QString& what);
    // Selects the command a keycomand.ini key names (its name ignoring case).
    void SelectCommandNamed(const QString& name);
    ChatMarks* Marks() const { return marks_; }

signals:
    // "Предпросмотр": the player wants to see the text as the chat shows it.
    void previewRequested(QPlainTextEdit* editor);

public:

    // A list item's command name: its text cut at the first ".lcb".
    static QString CommandName(const QString& fileName);
    // The command files of a folder as the list shows them, sorted ignoring case.
    static QStringList CommandFiles(const QString& folder);
    // Whether a name can be a command: a plain file name inside the commands
    // folder that is also a sound key of keycomand.ini.
    static bool IsValidCommandName(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the folder again; no item is selected afterwards.
    void ReadList();
    int SelectedRow() const;
    QString PathOf(const QString& fileName) const;
    // The command's stored hotkey string; "" while it has none.
    std::string StoredHotkey(const QString& name);
    // Asks for a name; empty when cancelled or refused.
    QString AskName(const QString& caption);

    QListWidget* commandList_ = nullptr;  // RComand
    Memo* text_ = nullptr;                // Memo2
    Label* keyLabel_ = nullptr;           // Label49
    ChatMarks* marks_ = nullptr;
    HotkeyPicker* picker_ = nullptr;
    LargeTextEditor* largeText_ = nullptr;
    QString folder_;
    int lastRow_ = -1;  // the row last shown, so a click on it does not reload it
};
