#pragma once
// The key settings page with its four key pages.

#include "GuiGeneral/Page.h"

class KeySettingsPage : public Page {
    Q_OBJECT
public:
    KeySettingsPage(SharedState& state, QWidget* parent);

    void HideKeyPages();
    // Shows key page n (1 to 4) and re-reads its rows from the store.
    void ShowKeyPage(int n);
};
