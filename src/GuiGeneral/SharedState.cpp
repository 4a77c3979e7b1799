#include "GuiGeneral/SharedState.h"

#include "store/ServerPaths.h"

void SharedState::DeriveRpDir()
{
    RpDir = QString::fromStdString(store::RolePlayFolder(ExeDir, ServerIndex));
}

void SharedState::OpenKeyIni()
{
    KeyIni = std::make_unique<store::IniFile>(store::KeyFilePath(ExeDir, ServerIndex));
}
