#pragma once
// One run's settings: the store views over the program folder, the server
// the run works on and every path it implies, the profile and options with
// the one door their edits go through, and the hotkeys of that server. Every
// window gets the session it works on; none holds another window. News goes
// out through signals (tests make a fresh session each).

#include <QObject>
#include <memory>
#include <string>
#include <string_view>

#include "companion/Contract.h"
#include "hotkeys/Conflicts.h"
#include "session/HotkeyRef.h"
#include "store/IniFile.h"
#include "store/RegistryView.h"

class SyncHandshake;

class Session : public QObject {
    Q_OBJECT
public:
    // exeDir: the program folder, with its trailing separator. Opens the
    // views of Setting.ini and of the registry (nothing is read yet).
    explicit Session(std::string exeDir, QObject* parent = nullptr);
    ~Session() override;

    const std::string& ExeDir() const { return exeDir_; }
    store::IniFile& Settings() { return *settings_; }
    const store::IniFile& Settings() const { return *settings_; }
    store::RegistryView& Registry() { return *registry_; }

    std::string Read(const companion::Setting& setting) const;

    // The one door of a profile, option or binder edit: stores the value,
    // tells who shows it (profileChanged for [global], optionsChanged for the
    // others) and asks the companion to reload. Throws store::WriteError,
    // having changed and asked nothing.
    void Edit(const companion::Setting& setting, std::string_view value);
    // Several values as one edit: one reload request after the last.
    void Edit(std::initializer_list<std::pair<companion::Setting, std::string>> values);
    // Asks the companion to read its files again (the handshake). The only
    // place the panel asks it. Throws store::WriteError.
    void RequestReload();
    SyncHandshake& Sync() { return *sync_; }

    // The server the run works on (any stored number, even out of range).
    int Server() const { return server_; }
    // Server := the stored [global] server, any number (the first show).
    void LoadServer();
    // Server := the stored one when it is 1 to 4, as the home page takes it;
    // that server, else nothing.
    std::optional<int> TakeStoredServer();
    // The home page's server cycle: a stored 1..4 becomes the next one (4 to
    // 1) and is returned; any other is left. The server then follows what is
    // stored. Throws store::WriteError.
    std::optional<int> CycleServer();
    // The files were replaced underneath (an import or a restore): the
    // server is read again and every listener hears of it (setupReplaced).
    void SetupReplaced();

    // The current server's folders (trailing separator): pages that the
    // description lets read only at a moment of their own (the role-play
    // and command pages when they are opened) keep a copy from then.
    std::string RolePlayFolder() const;
    std::string CommandsFolder() const;  // no trailing separator: the command page names it so
    std::string ArticlesFolder() const;
    // keycomand.ini of the server, opened at the first need.
    store::IniFile& KeyFile();
    bool KeyFileOpen() const { return keyFile_ != nullptr; }

    // [global] nick, even an empty one, else the game client's.
    std::string Nick() const;
    // The binder's chat key token as stored, its default while absent.
    std::string ChatKey() const { return Read(companion::kChatKey); }
    // The binder's pause between messages in milliseconds, within its limits.
    int PauseMs() const;

    // Who holds which combination on this server now.
    hotkeys::ConflictMap Conflicts();
    // The stored hotkey string, `fallback` while absent.
    std::string StoredHotkey(const HotkeyRef& ref, std::string_view fallback);
    // Stores a hotkey string; throws store::WriteError (nothing changed then).
    void WriteHotkey(const HotkeyRef& ref, std::string_view value);
    // No key: " " in Setting.ini, the line removed from keycomand.ini, the
    // chat key back to its default. Returns the string stored now.
    std::string SwitchOff(const HotkeyRef& ref);
signals:
    void hotkeysChanged();
    void profileChanged();  // a [global] value
    void optionsChanged();  // a [setting] or [binder] value
    void serverChanged(int server);
    void setupReplaced();   // every file may be another now

private:
    // Server := `server`; the key file is opened anew when asked, or when
    // the server changed while one was open.
    void SetServer(int server, bool openKeyFile);
    void OpenKeyFile();
    void Stored(const companion::Setting& setting);
    store::IniFile& FileOf(const HotkeyRef& ref);

    const std::string exeDir_;
    std::unique_ptr<store::IniFile> settings_;
    std::unique_ptr<store::RegistryView> registry_;
    std::unique_ptr<store::IniFile> keyFile_;
    std::unique_ptr<SyncHandshake> sync_;
    int server_ = 1;
};
