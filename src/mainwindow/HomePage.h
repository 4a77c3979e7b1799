#pragma once
// The home page: the officer's profile, the script options, the server, the
// binder's chat key and pause, and the companion's status line. It reads the
// store when it is filled and shows what its own edits store; it hears of
// the companion's status and badge, and of a replaced setup, by signals.

#include <array>

#include "mainwindow/Dialogs.h"
#include "mainwindow/Page.h"

class CompanionMonitor;
class Label;
class QGroupBox;

class HomePage : public Page {
    Q_OBJECT
public:
    HomePage(Session& session, CompanionMonitor& companion, QWidget* parent);
    // The dialogs the profile rows open.
    void UseDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }

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

private:
    Label* AddTitle(QGroupBox* box, const char* name, const QString& text, int x, int y);
    Label* AddValue(QGroupBox* box, const char* name, const QString& text, int x, int y);
    void Wire();
    void ShowStatus(bool running);
    void ShowServer(int server);
    void ShowCallSign();
    void ShowBinderSettings();

    Dialogs dialogs_;
    // The profile: each row's title takes the click, its value shows it.
    Label* nickTitle_ = nullptr;        // Label6
    Label* nick_ = nullptr;             // Label7
    Label* rankTitle_ = nullptr;        // Label8
    Label* rank_ = nullptr;             // Label9
    Label* departmentTitle_ = nullptr;  // Label10
    Label* department_ = nullptr;       // Label11
    Label* callSignTitle_ = nullptr;    // Label12
    Label* callSign_ = nullptr;         // Label14
    Label* genderTitle_ = nullptr;      // Label13
    Label* gender_ = nullptr;           // Label15
    Label* badgeTitle_ = nullptr;       // Label16
    Label* badge_ = nullptr;            // Label17
    std::array<Label*, 6> options_{};   // Label19, 21, 23, 25, 27, 43, in the order of kOptions
    Label* status_ = nullptr;           // Label35
    Label* server_ = nullptr;           // Label37
    Label* identifier_ = nullptr;       // Label39
    Label* chatKey_ = nullptr;          // ChatKeyLabel
    Label* pause_ = nullptr;            // PauseLabel
};
