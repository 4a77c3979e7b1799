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

    // Profile editors (row titles of the profile box).
    void Label6Click();   // nick
    void Label8Click();   // rank dialog
    void Label10Click();  // department dialog
    void Label12Click();  // call-sign dialog
    void Label13Click();  // gender
    void Label16Click();  // badge
    void Label6MouseEnter(Label* title);
    void Label6MouseLeave(Label* title);

    // Script options and the server (value labels of the settings box).
    void Label19Click();
    void Label21Click();
    void Label23Click();
    void Label25Click();
    void Label27Click();
    void Label43Click();
    void Label37Click();  // server cycle
    void Label19MouseEnter(Label* value);
    void Label19MouseLeave(Label* value);

private:
    void Wire();
    // Flips one option of [setting] and shows it on its value label.
    void SwitchOption(const char* key, const char* valueLabel);
    void RequestSync();
    Label* AddTitle(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* AddValue(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* Find(const char* name) const;
};
