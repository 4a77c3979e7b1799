#include "store/ServerPaths.h"

#include "store/Files.h"

namespace store {

std::string SettingsFilePath(const std::string& exeDir)
{
    return exeDir + "Setting.ini";
}

std::string RolePlayFolder(const std::string& exeDir, int server)
{
    const char sep = PathSeparator();
    return exeDir + "отыгровки" + sep + "rp" + std::to_string(server) + sep;
}

std::string CommandsFolder(const std::string& rolePlayFolder)
{
    return rolePlayFolder + "команды" + PathSeparator();
}

std::string DataFolder(const std::string& exeDir, int server)
{
    const char sep = PathSeparator();
    return exeDir + "date" + sep + "rp" + std::to_string(server) + sep;
}

std::string KeyFilePath(const std::string& exeDir, int server)
{
    return DataFolder(exeDir, server) + "keycomand.ini";
}

std::string ArticlesFolder(const std::string& exeDir, int server)
{
    return DataFolder(exeDir, server) + "статьи" + PathSeparator();
}

}  // namespace store
