#pragma once
// The keyboard picker: the one place where hotkeys are edited. Pick() shows
// it for one stored hotkey; it writes the result through the session (a
// refused write keeps it open) and returns what is stored now. The binder's
// chat key takes one keyboard key, stored as its bare token.

#include <QDialog>
#include <QHash>
#include <optional>
#include <string>
#include <vector>

#include "session/HotkeyRef.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class HookSwitch;
class RecordSwitch;
namespace hotkeys {
class ConflictMap;
struct HotkeyHolder;
}
class KeyShape;
class Session;

class HotkeyPicker : public QDialog {
    Q_OBJECT
public:
    explicit HotkeyPicker(Session& session, QWidget* parent = nullptr);

    // Shows the picker modally for `ref` with the keys of `current` marked;
    // without `current` the selection starts empty and Hook stays as the last
    // pick left it. The string stored now when a key was saved or switched
    // off ("" once a command's line is gone), nothing when it was closed.
    std::optional<std::string> Pick(const HotkeyRef& ref, const std::optional<QString>& current);
    // What Pick does before it shows the picker.
    void Begin(const HotkeyRef& ref, const std::optional<QString>& current);
    // What the last pick stored, until the next begins.
    const std::optional<std::string>& Result() const { return result_; }

    // Empties the selection, clears every mark and the combination text.
    void ClearMarks();
    // Marks the keys of a hotkey string in order and sets Hook from its "~".
    void LoadMarks(const QString& hotkey);

    // Handlers.
    void ToggleKey(KeyShape* shape);  // every key shape
    void ClearKeyboard();             // Button1 "Очистить клавиатуру"
    void SaveCombination();           // Button2 "Сохранить комбинацию"; throws on a refused write
    void SwitchOff();                 // Button3 "Отключить клавишу"; throws on a refused write
    void ShowNumLock();               // Timer1, the NumLock indicator

    // The selected tokens in the order they were selected.
    const QStringList& Selection() const { return selection_; }
    KeyShape* Shape(const QString& token) const { return shapes_.value(token); }
    const QList<KeyShape*>& Shapes() const { return shapeList_; }
    bool HookOn() const;
    RecordSwitch* Recorder() const { return record_; }
    // Marks the keys other hotkeys use (the holder the picker edits left out).
    void MarkUsedKeys();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildKeyboard();
    void BuildControls();
    void Select(KeyShape* shape);
    void Deselect(KeyShape* shape);
    // ListBox1, the marks and Label1 as the selection is.
    void ShowSelection();
    void ShowCombination();
    // Sets a main-window label; a label that does not exist is skipped.
    // The holder being edited, when it holds a key now.
    const hotkeys::HotkeyHolder* Edited(const hotkeys::ConflictMap& map) const;
    // True when saving `tokens` creates no conflict or the player agrees to it.
    bool ConfirmConflicts(const std::vector<std::string>& tokens);
    void SetRecording(bool on);
    void Finish(std::string stored);

    Session& session_;
    HotkeyRef ref_;
    std::optional<std::string> result_;
    QHash<QString, KeyShape*> shapes_;
    QList<KeyShape*> shapeList_;
    // The keys selected, in the order of selection: what a save composes.
    QStringList selection_;
    QListWidget* selectionList_ = nullptr;  // ListBox1: hidden, shows selection_
    HookSwitch* hook_ = nullptr;
    RecordSwitch* record_ = nullptr;
    QLabel* keyboardPicture_ = nullptr;  // Image1
    QLabel* combination_ = nullptr;      // Label1: the current combination
    QWidget* numLockLight_ = nullptr;    // Shape1
    QTimer* numLockTimer_ = nullptr;     // Timer1
};
