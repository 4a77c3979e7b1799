#include "session/Session.h"

#include <algorithm>

#include "session/SyncHandshake.h"
#include "store/ServerPaths.h"
#include "store/SetupLayout.h"

// The picker finds the chat key's holder by the key it edits.
static_assert(companion::kChatKey.key == hotkeys::kChatKeyHolder);

using companion::kCommandKeySection;
using companion::kHotkeySection;

Session::Session(std::string exeDir, QObject* parent)
    : QObject(parent),
      exeDir_(std::move(exeDir)),
      settings_(std::make_unique<store::IniFile>(store::SettingsFilePath(exeDir_))),
      registry_(std::make_unique<store::RegistryView>("SOFTWARE")),
      sync_(std::make_unique<SyncHandshake>(*this))
{
}

Session::~Session() = default;

std::string Session::Read(const companion::Setting& setting) const
{
    return settings_->ReadString(setting.section, setting.key, setting.fallback);
}

void Session::Stored(const companion::Setting& setting)
{
    if (setting.section == companion::kGlobalSection) emit profileChanged();
    else emit optionsChanged();
}

void Session::Edit(const companion::Setting& setting, std::string_view value)
{
    settings_->WriteString(setting.section, setting.key, value);
    Stored(setting);
    RequestReload();
}

void Session::Edit(std::initializer_list<std::pair<companion::Setting, std::string>> values)
{
    for (const auto& [setting, value] : values) {
        settings_->WriteString(setting.section, setting.key, value);
        Stored(setting);
    }
    RequestReload();
}

void Session::RequestReload()
{
    sync_->Request();
}

int Session::PauseMs() const
{
    const int fallback = std::stoi(std::string(companion::kPause.fallback));
    const int stored = settings_->ReadInteger(companion::kPause.section, companion::kPause.key, fallback);
    return std::clamp(stored, companion::kMinPauseMs, companion::kMaxPauseMs);
}

void Session::SetServer(int server, bool openKeyFile)
{
    const bool changed = server != server_;
    server_ = server;
    // The key file follows the server before anyone hears of the change.
    if (openKeyFile || (changed && keyFile_)) OpenKeyFile();
    if (changed) emit serverChanged(server_);
}

void Session::OpenKeyFile()
{
    keyFile_ = std::make_unique<store::IniFile>(store::KeyFilePath(exeDir_, server_));
}

void Session::LoadServer()
{
    SetServer(settings_->ReadInteger(companion::kServer.section, companion::kServer.key, 1), true);
}

std::optional<int> Session::TakeStoredServer()
{
    const int server = settings_->ReadInteger(companion::kServer.section, companion::kServer.key, 1);
    if (server < 1 || server > store::kServerCount) return std::nullopt;
    SetServer(server, false);
    return server;
}

std::optional<int> Session::CycleServer()
{
    const auto stored = [this] { return settings_->ReadInteger(companion::kServer.section, companion::kServer.key, 1); };
    std::optional<int> next;
    if (const int server = stored(); server >= 1 && server <= store::kServerCount) {
        next = server % store::kServerCount + 1;
        settings_->WriteInteger(companion::kServer.section, companion::kServer.key, *next);
    }
    SetServer(stored(), true);  // the cycle always opens the key file anew
    return next;
}

void Session::SetupReplaced()
{
    LoadServer();
    emit hotkeysChanged();
    emit profileChanged();
    emit optionsChanged();
    emit setupReplaced();
}

std::string Session::RolePlayFolder() const
{
    return store::RolePlayFolder(exeDir_, server_);
}

std::string Session::CommandsFolder() const
{
    return RolePlayFolder() + std::string(store::kCommandsFolder);
}

std::string Session::ArticlesFolder() const
{
    return store::ArticlesFolder(exeDir_, server_);
}

store::IniFile& Session::KeyFile()
{
    if (!keyFile_) OpenKeyFile();
    return *keyFile_;
}

std::string Session::Nick() const
{
    const std::string registryNick = registry_->ReadString("SAMP", "PlayerName", "Нет ника");
    return settings_->ReadString(companion::kGlobalSection, companion::kNickKey, registryNick);
}

hotkeys::ConflictMap Session::Conflicts()
{
    return hotkeys::ConflictMap(settings_->ReadSection(kHotkeySection), KeyFile().ReadSection(kCommandKeySection),
                                ChatKey());
}

store::IniFile& Session::FileOf(const HotkeyRef& ref)
{
    return ref.source == hotkeys::HotkeySource::Commands ? KeyFile() : *settings_;
}

static std::string_view SectionOf(const HotkeyRef& ref)
{
    switch (ref.source) {
    case hotkeys::HotkeySource::Commands:
        return kCommandKeySection;
    case hotkeys::HotkeySource::Binder:
        return companion::kBinderSection;
    case hotkeys::HotkeySource::Settings:
        break;
    }
    return kHotkeySection;
}

std::string Session::StoredHotkey(const HotkeyRef& ref, std::string_view fallback)
{
    return FileOf(ref).ReadString(SectionOf(ref), ref.id, fallback);
}

void Session::WriteHotkey(const HotkeyRef& ref, std::string_view value)
{
    FileOf(ref).WriteString(SectionOf(ref), ref.id, value);
    emit hotkeysChanged();
}

std::string Session::SwitchOff(const HotkeyRef& ref)
{
    std::string stored;
    switch (ref.source) {
    case hotkeys::HotkeySource::Commands:
        KeyFile().DeleteKey(kCommandKeySection, ref.id);
        break;
    case hotkeys::HotkeySource::Binder:
        // The binder cannot do without a chat key: off is its default.
        settings_->DeleteKey(companion::kBinderSection, ref.id);
        stored = companion::kChatKey.fallback;
        break;
    case hotkeys::HotkeySource::Settings:
        settings_->WriteString(kHotkeySection, ref.id, " ");
        stored = " ";
        break;
    }
    emit hotkeysChanged();
    return stored;
}
