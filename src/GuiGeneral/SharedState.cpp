#include "GuiGeneral/SharedState.h"

#include "store/ServerPaths.h"

void SharedState::DeriveRpDir()
{
    RpDir = QString::fromStdString(store::RolePlayFolder(ExeDir, ServerIndex));
}

std::string SharedState::Nick() const
{
    const std::string registryNick = RegIni ? RegIni->ReadString("SAMP", "PlayerName", "Нет ника") : "Нет ника";
    return SettingsIni ? SettingsIni->ReadString("global", "nick", registryNick) : registryNick;
}

void SharedState::OpenKeyIni()
{
    KeyIni = std::make_unique<store::IniFile>(store::KeyFilePath(ExeDir, ServerIndex));
}
