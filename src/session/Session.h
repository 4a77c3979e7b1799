#pragma once
// One run's settings: the store views over the program folder, the server
// the run works on, the profile's nick and the hotkeys of that server. Every
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
    // Throws store::WriteError. A [global] value is news for whoever shows
    // the profile (profileChanged).
    void Write(const companion::Setting& setting, std::string_view value);

    // The server the run works on (any stored number, even out of range).
    int Server() const { return server_; }
    // Server := the stored [global] server; the role-play folder and the
    // key file follow it (the first show, and after an import).
    void LoadServer();
    // Server := `server` alone, as the home page takes a valid stored one.
    void SetServer(int server) { server_ = server; }
    // The home page's server cycle: a stored 1..4 becomes the next one (4 to
    // 1) and is returned; any other is left. The server and the key file
    // then follow what is stored. Throws store::WriteError.
    std::optional<int> CycleServer();

    // The role-play folder as last derived from the server (trailing
    // separator); it follows a server change only when derived again.
    const std::string& RolePlayFolder() const { return rolePlayFolder_; }
    void DeriveRolePlayFolder();
    std::string CommandsFolder() const;  // of that folder, no trailing separator
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
    // The files changed underneath (an import): whoever shows hotkeys or the
    // profile looks again.
    void HotkeyFilesReplaced()
    {
        emit hotkeysChanged();
        emit profileChanged();
    }

signals:
    void hotkeysChanged();
    void profileChanged();
    void serverChanged(int server);

private:
    void OpenKeyFile();
    store::IniFile& FileOf(const HotkeyRef& ref);

    const std::string exeDir_;
    std::unique_ptr<store::IniFile> settings_;
    std::unique_ptr<store::RegistryView> registry_;
    std::unique_ptr<store::IniFile> keyFile_;
    int server_ = 1;
    std::string rolePlayFolder_;
};
