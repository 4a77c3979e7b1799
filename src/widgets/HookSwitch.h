#pragma once
// The picker's "Hook" switch: its caption, then a slide switch. A click flips
// it; on means the hotkey is stored without the "~" prefix.

#include <QAbstractButton>

class HookSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit HookSwitch(QWidget* parent = nullptr, const QString& name = {});

    bool IsOn() const { return isChecked(); }
    void SetOn(bool on) { setChecked(on); }

protected:
    void paintEvent(QPaintEvent* event) override;
};
