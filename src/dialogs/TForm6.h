#pragma once
// The keyboard picker: the one place where hotkeys are edited. Callers set the
// job in the shared state (PickerTarget, RpMode, TargetLabel, CurrentHotkey),
// reset it with ClearMarks, load it with LoadMarks and show it modally; the
// picker writes the result and refreshes the caller's label itself.

#include <QDialog>

struct SharedState;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(SharedState& state, QWidget* parent = nullptr);

    void ClearMarks();
    void LoadMarks(const QString& hotkey);
    // Shows the picker modally; returns when it closes.
    void ShowModal();

private:
    SharedState& state_;
};
