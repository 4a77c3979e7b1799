#pragma once
// "Карта клавиш": which keys the current server's hotkeys use, on the
// picker's keyboard picture, through a filter of the keys held before the
// last (none, Alt, Ctrl, Shift, ПКМ, …). It follows every hotkey change and
// the server switch; a click on a used key tells which holder to edit, and
// the picture can be saved as a PNG with its legend, for printing.

#include <QDialog>
#include <optional>
#include <vector>

#include "hotkeys/KeyboardMap.h"

class QButtonGroup;
class QHBoxLayout;
class QWidget;
class KeyboardMapView;
class Session;

class KeyboardMapDialog : public QDialog {
    Q_OBJECT
public:
    explicit KeyboardMapDialog(Session& session, QWidget* parent = nullptr);

    KeyboardMapView* View() const { return view_; }
    // The filter buttons' captions in their order ("Все", "Alt", …).
    QStringList Filters() const;
    void ChooseFilter(int index);
    // A click on a key: its one holder is opened, or the player picks one.
    void ClickKey(const QString& token);
    // Writes the picture with its legend to `path`; false when it cannot.
    bool SavePicture(const QString& path) const;
    void SavePictureAs();  // "Сохранить картинку…"

signals:
    // The player wants to edit this holder's hotkey.
    void holderChosen(const hotkeys::KeyHolder& holder);

private:
    void Rebuild();
    void BuildFilterButtons();

    Session& session_;
    KeyboardMapView* view_;
    QWidget* filterRow_;
    QButtonGroup* filterGroup_;
    // The server's hotkeys as last read: a filter click redraws from them
    // without reading the files again.
    std::optional<hotkeys::ConflictMap> conflicts_;
    std::vector<hotkeys::KeyFilter> filters_;  // [0] is no filter
    int filter_ = 0;
};
