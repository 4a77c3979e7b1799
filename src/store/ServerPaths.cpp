#include "store/ServerPaths.h"

#include "store/Files.h"
#include "store/SetupLayout.h"

namespace store {

std::string SettingsFilePath(const std::string& exeDir)
{
    return exeDir + std::string(kSettingsFile);
}

std::string RolePlayFolder(const std::string& exeDir, int server)
{
    const char sep = PathSeparator();
    return exeDir + std::string(kRolePlayFolder) + sep + std::string(kServerFolderPrefix) + std::to_string(server) + sep;
}

std::string CommandsFolder(const std::string& rolePlayFolder)
{
    return rolePlayFolder + std::string(kCommandsFolder) + PathSeparator();
}

std::string DataFolder(const std::string& exeDir, int server)
{
    const char sep = PathSeparator();
    return exeDir + std::string(kDataFolder) + sep + std::string(kServerFolderPrefix) + std::to_string(server) + sep;
}

std::string KeyFilePath(const std::string& exeDir, int server)
{
    return DataFolder(exeDir, server) + std::string(kKeyFile);
}

std::string ArticlesFolder(const std::string& exeDir, int server)
{
    return DataFolder(exeDir, server) + std::string(kArticlesFolder) + PathSeparator();
}

}  // namespace store
