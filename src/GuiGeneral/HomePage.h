#pragma once
// The home page: the officer's profile, the script options, the server and
// the companion's status line.

#include "GuiGeneral/Page.h"

class Label;
class QGroupBox;

class HomePage : public Page {
    Q_OBJECT
public:
    HomePage(SharedState& state, QWidget* parent);

    // Fills the page from the store and the registry. Writes nothing.
    void LoadProfileAndOptions();

private:
    Label* AddTitle(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* AddValue(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* Find(const char* name) const;
};
