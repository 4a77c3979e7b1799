#pragma once
// The home page: the officer's profile, the script options, the server, the
// binder's chat key and pause, and the companion's status line.

#include "mainwindow/Dialogs.h"
#include "mainwindow/Page.h"

class Label;
class QGroupBox;
class SyncHandshake;

class HomePage : public Page {
    Q_OBJECT
public:
    HomePage(Session& session, SyncHandshake& sync, QWidget* parent);
    // The profile dialogs the rows open; what they store shows here.
    void UseDialogs(const Dialogs& dialogs);

    // Fills the page from the store and the registry. Writes nothing.
    void LoadProfileAndOptions();

    // Profile rows (their titles take the clicks).
    void EditNick();              // Label6
    void EditRank();              // Label8
    void EditDepartment();        // Label10
    void EditCallSign();          // Label12
    void ToggleGender();          // Label13
    void ExplainBadge();          // Label16
    // Script options and the server (their value labels take the clicks).
    void ToggleOption(int option);  // Label19, 21, 23, 25, 27, 43
    void CycleServer();             // Label37
    // The binder's own settings (ChatKeyLabel, PauseLabel).
    void EditChatKey();
    void EditPause();

    // The status line and the badge, which the main window keeps up to date.
    Label* StatusLabel() const;     // Label35
    Label* BadgeLabel() const;      // Label17

private:
    void Wire();
    Label* AddTitle(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* AddValue(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* Find(const char* name) const;
    void ShowBinderSettings();

    SyncHandshake& sync_;
    Dialogs dialogs_;
};
