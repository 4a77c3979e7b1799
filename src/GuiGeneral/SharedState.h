#pragma once
// The state every window shares: the store objects and the variables that
// pass between the pages and the dialogs. One object per run (tests make a
// fresh one each), handed to every window at creation.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "store/IniFile.h"
#include "store/RegistryView.h"

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;

struct Forms {
    TForm3* Form3 = nullptr;
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
};

struct SharedState {
    explicit SharedState(std::string exeDir) : ExeDir(std::move(exeDir)) {}

    const std::string ExeDir;  // with its trailing separator

    std::unique_ptr<store::IniFile> SettingsIni;   // Setting.ini
    std::unique_ptr<store::RegistryView> RegIni;   // HKCU\SOFTWARE, read only
    std::unique_ptr<store::IniFile> KeyIni;        // the server's keycomand.ini

    int SelectedMenu = 3;
    int ServerIndex = 1;
    QString RpDir;          // role-play folder of ServerIndex, trailing separator
    QString CurrentRpFile;
    QString PickerTarget = QStringLiteral("c");
    QString RpMode = QStringLiteral("not");
    QString TargetLabel;    // at most 10 characters
    QString CurrentHotkey;  // at most 30 characters

    Forms forms;
    // Ends the run (closes the splash window); set by whoever owns the run.
    std::function<void()> EndRun;

    // RpDir := the role-play folder of ServerIndex.
    void DeriveRpDir();
    // KeyIni := a new view over ServerIndex's keycomand.ini.
    void OpenKeyIni();
    // The nick as the home page shows it: [global] nick, even an empty one,
    // else the game client's.
    std::string Nick() const;
    QString ExeDirQ() const { return QString::fromStdString(ExeDir); }
};

// Cuts to a short-string variable's size, as the shared variables are.
inline QString ShortString(const QString& s, int size)
{
    return s.left(size);
}
