#pragma once
// The keyboard picker: the one place where hotkeys are edited. Callers set the
// job in the shared state (PickerTarget, RpMode, TargetLabel, CurrentHotkey),
// reset it with ClearMarks, load it with LoadMarks and show it modally; the
// picker writes the result and refreshes the caller's label itself.

#include <QDialog>
#include <QHash>
#include <string>
#include <vector>

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
struct SharedState;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(SharedState& state, QWidget* parent = nullptr);

    // Empties the selection, clears every mark and the combination text.
    void ClearMarks();
    // Marks the keys of a hotkey string in order and sets Hook from its "~".
    void LoadMarks(const QString& hotkey);
    // Shows the picker modally; returns when it closes.
    void ShowModal();

    // Handlers.
    void Key_VK51MouseDown(KeyShape* shape);  // every key shape
    void Button1Click();                      // "Очистить клавиатуру"
    void Button2Click();                      // "Сохранить комбинацию"; throws on a refused write
    void Button3Click();                      // "Отключить клавишу"; throws on a refused write
    void Timer1Timer();                       // NumLock indicator
    void FormShow();
    void FormClose();

    // The selected tokens in the order they were selected.
    QStringList Selection() const;
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
    void ShowCombination();
    // Sets a main-window label; a label that does not exist is skipped.
    void SetCallerLabel(const QString& name, const QString& text);
    void SetCallerStoredString(const QString& imageName, const QString& hotkey);
    // The holder the job edits, when it holds a key now.
    const hotkeys::HotkeyHolder* Edited(const hotkeys::ConflictMap& map) const;
    // True when saving `tokens` creates no conflict or the player agrees to it.
    bool ConfirmConflicts(const std::vector<std::string>& tokens);
    void SetRecording(bool on);
    void HotkeysWritten();

    SharedState& state_;
    QHash<QString, KeyShape*> shapes_;
    QList<KeyShape*> shapeList_;
    QListWidget* listBox1_ = nullptr;
    HookSwitch* hook_ = nullptr;
    RecordSwitch* record_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* label1_ = nullptr;
    QWidget* shape1_ = nullptr;
    QTimer* timer1_ = nullptr;
};
