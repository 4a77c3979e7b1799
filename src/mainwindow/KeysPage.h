#pragma once
// The key settings page: four key pages of up to fourteen rows, each row an
// action, the caption of its hotkey and a key image that opens the picker.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/Page.h"

class HotkeyPicker;
class Label;
namespace hotkeys {
struct BinderKey;
class ConflictMap;
}

class KeysPage : public Page {
    Q_OBJECT
public:
    KeysPage(Session& session, QWidget* parent);
    void UsePicker(HotkeyPicker* picker) { picker_ = picker; }

    void HideKeyPages();
    // Key page 1, no row marked.
    void Opened() override;
    // Shows key page n (1 to 4) and re-reads its rows from the store; any
    // other number does nothing.
    void ShowKeyPage(int n);
    int ShownPage() const { return shown_; }

signals:
    void keyboardMapRequested();  // "Карта клавиш"

public:
    // Handler of the 48 key images (Key37 …): opens the picker for the row.
    void EditHotkey(const hotkeys::BinderKey& key);

    // Key labels of the shown page whose combination something else holds
    // turn the alert colour, with the others named in their tooltip.
    void MarkConflicts(const hotkeys::ConflictMap& map);

    // Shows the key's page with its row marked, as a search result.
    void SelectRow(const hotkeys::BinderKey& key);
    const hotkeys::BinderKey* SelectedKey() const { return selected_ ? selected_->key : nullptr; }

    static constexpr int kKeyPages = 4;
    QWidget* KeyPage(int n) const { return n >= 1 && n <= kKeyPages ? pages_[n - 1] : nullptr; }

private:
    struct Row {
        const hotkeys::BinderKey* key;
        Label* action;    // the action's caption
        Label* keyLabel;  // the hotkey's caption (PK1_1, Label88 …)
        Label* image;     // the key image (Key37 …); its HelpKeyword shows `hotkey`
        std::string hotkey;  // the stored string as last read
    };
    struct RowLabels {
        Label* action;
        Label* keyLabel;
        Label* image;
    };

    RowLabels BuildRow(QWidget* page, int row, const QString& action, const QString& keyLabelName, const QString& imageName);
    Row* FindRow(const hotkeys::BinderKey& key);
    void ShowHotkey(Row& row, std::string hotkey);
    void BuildPageButtons();


    HotkeyPicker* picker_ = nullptr;
    std::array<QWidget*, kKeyPages> pages_ {};
    std::array<std::vector<Row>, kKeyPages> rows_;
    const Row* selected_ = nullptr;  // marked as a search result
    int shown_ = 1;
};
